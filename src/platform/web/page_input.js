// The canvas's input: keys, mouse buttons, motion and the wheel in the
// window's coordinates, and its size, as a desktop toolkit hands them to the
// program.
mergeInto(LibraryManager.library, {
  $PageInput__deps: ['$Page', '$PageMenu'],
  $PageInput: {
    pressed: 0,          // mouse buttons (GLUT's numbers as bits) pressed over the canvas
    pointer: [0, 0],     // the last pointer position in window coordinates
    wheel: 0,            // wheel travel not yet made into steps
    keysDown: {},        // keys whose press the scene received, by their place on the keyboard

    // Window coordinates of a mouse event: device pixels from the canvas's top left.
    position: function(event) {
      var canvas = Page.canvas;
      var rect = canvas.getBoundingClientRect();
      var x = (event.clientX - rect.left) * canvas.width / rect.width;
      var y = (event.clientY - rect.top) * canvas.height / rect.height;
      PageInput.pointer = [Math.floor(x), Math.floor(y)];
      return PageInput.pointer;
    },

    // GLUT's special keys by the browser's key names.
    specialKeys: {
      F1: 1, F2: 2, F3: 3, F4: 4, F5: 5, F6: 6, F7: 7, F8: 8, F9: 9, F10: 10, F11: 11, F12: 12,
      ArrowLeft: 100, ArrowUp: 101, ArrowRight: 102, ArrowDown: 103,
      PageUp: 104, PageDown: 105, Home: 106, End: 107, Insert: 108
    },
    // Character keys that the browser names by a word.
    namedCharacters: { Escape: 27, Enter: 13, Backspace: 8, Delete: 127 },
    // Keys that stay the browser's as well: reload, full screen, developer tools.
    browserKeys: { F5: true, F11: true, F12: true },

    // The program's call for a key by its browser name (KeyboardEvent.key),
    // or null for a key that the program does not take.
    keyCall: function(key) {
      var x = PageInput.pointer[0], y = PageInput.pointer[1];
      var special = PageInput.specialKeys[key];
      if (special !== undefined) return function() { _web_on_special(special, x, y); };
      var character = PageInput.namedCharacters[key];
      if (character === undefined && key.length === 1 && key.charCodeAt(0) <= 255) character = key.charCodeAt(0);
      if (character !== undefined) return function() { _web_on_key(character, x, y); };
      return null;
    },

    // A key as the keyboard gives it, from the page's other ways to press one.
    pressKey: function(key) {
      var call = PageInput.keyCall(key);
      if (call) Page.call(call);
    },

    onKey: function(event) {
      // Shortcuts with Ctrl, Alt or the command key are the browser's (AltGr
      // types characters); Tab moves the focus on.
      if (event.ctrlKey && !event.getModifierState('AltGraph') || event.metaKey ||
          event.altKey && !event.getModifierState('AltGraph'))
        return;
      var call = PageInput.keyCall(event.key);
      if (!call) return;
      if (!PageInput.browserKeys[event.key]) event.preventDefault();
      // A key held down repeats where the focus is now: Escape held to close
      // the box goes on in the scene. Only the repeats of a press that the
      // scene had are its own.
      var place = event.code || event.key;
      if (event.repeat && !PageInput.keysDown[place]) return;
      PageInput.keysDown[place] = true;
      Page.call(call);
    },

    onKeyUp: function(event) {
      delete PageInput.keysDown[event.code || event.key];
    },

    // A button pressed (state 0) or released (1) at a point of the page
    // (client coordinates), as GLUT reports it to the program.
    button: function(button, state, point) {
      var at = PageInput.position(point);
      if (state === 0) PageInput.pressed |= 1 << button;
      else PageInput.pressed &= ~(1 << button);
      Page.call(function() { _web_on_mouse(button, state, at[0], at[1]); });
    },

    // Motion with a button held, to a point of the page.
    motion: function(point) {
      var at = PageInput.position(point);
      Page.call(function() { _web_on_motion(at[0], at[1]); });
    },

    onMouseDown: function(event) {
      event.preventDefault(); // no text selection, no scrolling by the middle button
      Page.canvas.focus({ preventScroll: true });
      var button = event.button;
      // The side buttons are the desktop's nothing; an ended program has no menu.
      if (button > 2 || Page.ended) return;
      PageInput.position(event);
      if (PageMenu.openByButton(button, event.clientX, event.clientY)) return;
      PageInput.button(button, 0, event);
    },

    onMouseUp: function(event) {
      var button = event.button;
      if (button > 2 || !(PageInput.pressed & 1 << button)) return;
      PageInput.button(button, 1, event);
    },

    // GLUT's buttons (as bits) among those that a mouse event says are held.
    held: function(buttons) {
      return (buttons & 1 ? 1 : 0) | (buttons & 4 ? 2 : 0) | (buttons & 2 ? 4 : 0);
    },

    onMouseMove: function(event) {
      // A drag that began on the canvas goes on beyond it, as in a desktop window.
      if (!PageInput.pressed && event.target !== Page.canvas) return;
      PageInput.position(event);
      // A button let go where the page could not see it (outside the window,
      // over the browser's own parts) is up: the program hears of it now.
      var lost = PageInput.pressed & ~PageInput.held(event.buttons);
      [0, 1, 2].forEach(function(button) {
        if (lost & 1 << button) PageInput.button(button, 1, event);
      });
      if (PageInput.pressed) PageInput.motion(event);
    },

    // The browser's "back" and "forward" go on the release: over the scene they do nothing.
    onSideButtonUp: function(event) {
      if (event.button > 2) event.preventDefault();
    },

    // Each step of the wheel is a press and a release of button 3 (away from
    // the person) or 4 (towards), as a desktop toolkit reports it.
    onWheel: function(event) {
      // With Ctrl it is the browser's zoom (a trackpad's pinch comes so, too).
      if (event.ctrlKey) return;
      event.preventDefault();
      var perStep = [100, 3, 1][event.deltaMode] || 100;
      var at = PageInput.position(event);
      PageInput.wheel += event.deltaY / perStep;
      var step = function(button) {
        Page.call(function() {
          _web_on_mouse(button, 0, at[0], at[1]);
          _web_on_mouse(button, 1, at[0], at[1]);
        });
      };
      for (; PageInput.wheel <= -1; PageInput.wheel += 1) step(3);
      for (; PageInput.wheel >= 1; PageInput.wheel -= 1) step(4);
    },

    // The canvas's drawing buffer follows its size on the page in device
    // pixels, so the scene is sharp at any pixel ratio; the program is told
    // of every change as a desktop window's program is.
    onResize: function(entries) {
      var canvas = Page.canvas;
      var entry = entries[entries.length - 1];
      var width, height;
      if (entry.devicePixelContentBoxSize) {
        width = entry.devicePixelContentBoxSize[0].inlineSize;
        height = entry.devicePixelContentBoxSize[0].blockSize;
      } else {
        width = Math.round(entry.contentRect.width * devicePixelRatio);
        height = Math.round(entry.contentRect.height * devicePixelRatio);
      }
      if (width === canvas.width && height === canvas.height) return;
      canvas.width = width;
      canvas.height = height;
      Page.call(function() { _web_on_reshape(width, height); });
    },

    listen: function(canvas) {
      canvas.addEventListener('keydown', PageInput.onKey);
      addEventListener('keyup', PageInput.onKeyUp, true);
      canvas.addEventListener('mousedown', PageInput.onMouseDown);
      canvas.addEventListener('mouseup', PageInput.onSideButtonUp);
      canvas.addEventListener('contextmenu', function(event) { event.preventDefault(); });
      canvas.addEventListener('wheel', PageInput.onWheel, { passive: false });
      addEventListener('mouseup', PageInput.onMouseUp);
      addEventListener('mousemove', PageInput.onMouseMove);
      var observer = new ResizeObserver(PageInput.onResize);
      try {
        observer.observe(canvas, { box: 'device-pixel-content-box' });
      } catch (e) {
        observer.observe(canvas);
      }
    }
  }
});
