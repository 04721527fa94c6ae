// The page's half of the web platform (declared in page.h), linked into
// schach3d.js: the canvas as the program's window and its events, the title,
// the pop-up menu, the help box, the console panel, timers, the waits of the
// program's threads, and the end of the program. The page's markup is
// index.html. Every call into the program goes through Page.call, so that a
// program that has ended takes no more events.
mergeInto(LibraryManager.library, {
  $Page__deps: ['$callUserCallback', '$Asyncify'],
  $Page__postset: 'Page.init();',
  $Page: {
    ended: false,
    start: 0,
    canvas: null,
    frame: 0,            // the pending animation frame, 0 if none
    firstFrameMarked: false, // whether the first frame has been drawn
    pressed: 0,          // mouse buttons (GLUT's numbers as bits) pressed over the canvas
    pointer: [0, 0],     // the last pointer position in window coordinates
    wheel: 0,            // wheel travel not yet made into steps
    menus: [],           // per menu number - 1: its element
    buttonMenus: {},     // GLUT button -> menu number
    openMenu: null,
    boxClosed: null,     // while the help box is open: what to do when it closes
    decoder: null,       // the program's texts are Windows-1252

    init: function() {
      Page.start = performance.now();
      Page.decoder = new TextDecoder('windows-1252');
      // The program ends through exit(): the page says so and stops.
      var quit = quit_;
      quit_ = function(status, toThrow) {
        Page.end(status);
        quit(status, toThrow);
      };
    },

    call: function(f) {
      if (!Page.ended) callUserCallback(f);
    },

    // A NUL-terminated Windows-1252 text of the program's.
    text: function(ptr) {
      var end = ptr;
      while (HEAPU8[end]) ++end;
      return Page.decoder.decode(HEAPU8.subarray(ptr, end));
    },

    setTitle: function(title) {
      document.title = title;
      document.getElementById('title').textContent = title;
    },

    // The console panel: the program's output as it is written, the newest at
    // the bottom, one element per line. Each write says what it adds in a
    // console-write event; the panel itself is brought up to date once per
    // task, and like a terminal it keeps a bounded history.
    consoleLines: 3000,
    pending: [],
    line: null, // the line being written
    write: function(fd, text) {
      var panel = document.getElementById('console');
      panel.dispatchEvent(new CustomEvent('console-write', { detail: { stream: fd, text: text } }));
      if (!Page.pending.length) queueMicrotask(Page.showWritten);
      Page.pending.push([fd, text]);
    },
    showWritten: function() {
      var panel = document.getElementById('console');
      var atBottom = panel.scrollTop + panel.clientHeight >= panel.scrollHeight - 4;
      var add = function(fd, text) {
        if (!Page.line) Page.line = panel.appendChild(document.createElement('div'));
        var last = Page.line.lastChild;
        if (fd === 1 && last && last.nodeType === Node.TEXT_NODE) {
          last.appendData(text);
        } else if (fd === 1) {
          Page.line.appendChild(document.createTextNode(text));
        } else {
          var span = Page.line.appendChild(document.createElement('span'));
          span.className = 'stderr';
          span.textContent = text;
        }
      };
      Page.pending.forEach(function(write) {
        // A line feed ends its line, which keeps it: the panel's text is the output.
        write[1].split(/(?<=\n)/).forEach(function(part) {
          if (!part) return;
          add(write[0], part);
          if (part.endsWith('\n')) Page.line = null;
        });
      });
      Page.pending = [];
      while (panel.childElementCount > Page.consoleLines) panel.removeChild(panel.firstElementChild);
      if (atBottom) panel.scrollTop = panel.scrollHeight;
    },

    // Window coordinates of a mouse event: device pixels from the canvas's top left.
    position: function(event) {
      var rect = Page.canvas.getBoundingClientRect();
      var x = (event.clientX - rect.left) * Page.canvas.width / rect.width;
      var y = (event.clientY - rect.top) * Page.canvas.height / rect.height;
      Page.pointer = [Math.floor(x), Math.floor(y)];
      return Page.pointer;
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

    onKey: function(event) {
      // Shortcuts with Ctrl, Alt or the command key are the browser's (AltGr
      // types characters); Tab moves the focus on.
      if (event.ctrlKey && !event.getModifierState('AltGraph') || event.metaKey ||
          event.altKey && !event.getModifierState('AltGraph'))
        return;
      var x = Page.pointer[0], y = Page.pointer[1];
      var special = Page.specialKeys[event.key];
      var character = Page.namedCharacters[event.key];
      if (character === undefined && event.key.length === 1 && event.key.charCodeAt(0) <= 255)
        character = event.key.charCodeAt(0);
      if (special !== undefined)
        Page.call(function() { _web_on_special(special, x, y); });
      else if (character !== undefined)
        Page.call(function() { _web_on_key(character, x, y); });
      else
        return;
      if (!Page.browserKeys[event.key]) event.preventDefault();
    },

    onMouseDown: function(event) {
      event.preventDefault(); // no text selection, no scrolling by the middle button
      Page.canvas.focus({ preventScroll: true });
      var button = event.button;
      if (button > 2) return;
      var at = Page.position(event);
      var menu = Page.buttonMenus[button];
      if (menu !== undefined) {
        Page.showMenu(menu, event.clientX, event.clientY);
        return;
      }
      Page.pressed |= 1 << button;
      Page.call(function() { _web_on_mouse(button, 0, at[0], at[1]); });
    },

    onMouseUp: function(event) {
      var button = event.button;
      if (button > 2 || !(Page.pressed & 1 << button)) return;
      Page.pressed &= ~(1 << button);
      var at = Page.position(event);
      Page.call(function() { _web_on_mouse(button, 1, at[0], at[1]); });
    },

    onMouseMove: function(event) {
      // A drag that began on the canvas goes on beyond it, as in a desktop window.
      if (!Page.pressed && event.target !== Page.canvas) return;
      var at = Page.position(event);
      if (Page.pressed) Page.call(function() { _web_on_motion(at[0], at[1]); });
    },

    // Each step of the wheel is a press and a release of button 3 (away from
    // the person) or 4 (towards), as a desktop toolkit reports it.
    onWheel: function(event) {
      event.preventDefault();
      var perStep = [100, 3, 1][event.deltaMode] || 100;
      var at = Page.position(event);
      Page.wheel += event.deltaY / perStep;
      var step = function(button) {
        Page.call(function() {
          _web_on_mouse(button, 0, at[0], at[1]);
          _web_on_mouse(button, 1, at[0], at[1]);
        });
      };
      for (; Page.wheel <= -1; Page.wheel += 1) step(3);
      for (; Page.wheel >= 1; Page.wheel -= 1) step(4);
    },

    // The canvas's drawing buffer follows its size on the page in device
    // pixels, so the scene is sharp at any pixel ratio; the program is told
    // of every change as a desktop window's program is.
    onResize: function(entries) {
      var entry = entries[entries.length - 1];
      var width, height;
      if (entry.devicePixelContentBoxSize) {
        width = entry.devicePixelContentBoxSize[0].inlineSize;
        height = entry.devicePixelContentBoxSize[0].blockSize;
      } else {
        width = Math.round(entry.contentRect.width * devicePixelRatio);
        height = Math.round(entry.contentRect.height * devicePixelRatio);
      }
      if (width === Page.canvas.width && height === Page.canvas.height) return;
      Page.canvas.width = width;
      Page.canvas.height = height;
      Page.call(function() { _web_on_reshape(width, height); });
    },

    showMenu: function(menu, clientX, clientY) {
      var list = Page.menus[menu - 1];
      list.hidden = false;
      var x = Math.max(0, Math.min(clientX, innerWidth - list.offsetWidth));
      var y = Math.max(0, Math.min(clientY, innerHeight - list.offsetHeight));
      list.style.left = x + 'px';
      list.style.top = y + 'px';
      Page.openMenu = list;
      list.firstChild.focus();
    },

    closeMenu: function() {
      if (!Page.openMenu) return;
      var list = Page.openMenu;
      Page.openMenu = null;
      var hadFocus = list.contains(document.activeElement);
      list.hidden = true;
      if (hadFocus && !Page.ended) Page.canvas.focus({ preventScroll: true });
    },

    chooseMenu: function(item) {
      var menu = Number(item.parentNode.dataset.menu), value = Number(item.dataset.value);
      Page.closeMenu();
      Page.call(function() { _web_on_menu(menu, value); });
    },

    onMenuKey: function(event) {
      var items = Array.prototype.slice.call(this.children);
      var at = items.indexOf(document.activeElement);
      var move = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: items.length - 1 }[event.key];
      if (move !== undefined) {
        items[(move + items.length) % items.length].focus();
      } else if (event.key === 'Enter' || event.key === ' ') {
        if (at >= 0) Page.chooseMenu(items[at]);
      } else if (event.key === 'Escape' || event.key === 'Tab') {
        Page.closeMenu();
      } else {
        return;
      }
      // Escape here closes only the menu: the scene does not see it.
      event.preventDefault();
      event.stopPropagation();
    },

    // A press anywhere but on the open menu closes it, and does nothing else.
    onPressOutsideMenu: function(event) {
      if (!Page.openMenu || Page.openMenu.contains(event.target)) return;
      Page.closeMenu();
      event.preventDefault();
      event.stopPropagation();
    },

    showBox: function(text, title, closed) {
      var box = document.getElementById('box');
      document.getElementById('box-title').textContent = title;
      // Lines as the desktop box has them: a final line feed ends the last
      // line instead of opening an empty one; tabs stop every eight columns.
      document.getElementById('box-text').textContent = text.replace(/\n$/, '');
      Page.boxClosed = closed;
      box.show();
      var scene = box.parentNode;
      box.style.left = Math.max(0, Math.round((scene.clientWidth - box.offsetWidth) / 2)) + 'px';
      box.style.top = Math.max(0, Math.round((scene.clientHeight - box.offsetHeight) / 2)) + 'px';
      document.getElementById('box-ok').focus({ preventScroll: true });
    },

    closeBox: function() {
      var box = document.getElementById('box');
      if (!box.open) return;
      var hadFocus = box.contains(document.activeElement);
      box.close();
      var closed = Page.boxClosed;
      Page.boxClosed = null;
      if (hadFocus && !Page.ended) Page.canvas.focus({ preventScroll: true });
      if (closed) closed();
    },

    onBoxKey: function(event) {
      if (event.key !== 'Enter' && event.key !== ' ' && event.key !== 'Escape') return;
      event.preventDefault();
      event.stopPropagation();
      Page.closeBox();
    },

    end: function(status) {
      if (Page.ended) return;
      Page.ended = true;
      if (Page.frame) cancelAnimationFrame(Page.frame);
      Page.frame = 0;
      Page.closeMenu();
      Page.boxClosed = null; // the box's thread ends with the program
      var box = document.getElementById('box');
      if (box.open) box.close();
      document.getElementById('status').textContent =
        'Das Programm ist beendet (Status ' + status + ').';
      var restart = document.getElementById('restart');
      restart.hidden = false;
      restart.focus();
    },

    listen: function() {
      var canvas = Page.canvas;
      canvas.addEventListener('keydown', Page.onKey);
      canvas.addEventListener('mousedown', Page.onMouseDown);
      canvas.addEventListener('contextmenu', function(event) { event.preventDefault(); });
      canvas.addEventListener('wheel', Page.onWheel, { passive: false });
      addEventListener('mouseup', Page.onMouseUp);
      addEventListener('mousemove', Page.onMouseMove);
      document.addEventListener('mousedown', Page.onPressOutsideMenu, true);
      var box = document.getElementById('box');
      box.addEventListener('keydown', Page.onBoxKey);
      document.getElementById('box-ok').addEventListener('click', Page.closeBox);
      document.getElementById('restart').addEventListener('click', function() { location.reload(); });
      var observer = new ResizeObserver(Page.onResize);
      try {
        observer.observe(canvas, { box: 'device-pixel-content-box' });
      } catch (e) {
        observer.observe(canvas);
      }
    }
  },

  web_window_open__deps: ['$Page'],
  web_window_open: function(width, height, title) {
    var canvas = Page.canvas = document.getElementById('canvas');
    var scene = document.getElementById('scene');
    scene.style.width = width + 'px';
    scene.style.height = height + 'px';
    canvas.width = Math.round(width * devicePixelRatio);
    canvas.height = Math.round(height * devicePixelRatio);
    Page.setTitle(Page.text(title));
    Page.listen();
    canvas.focus({ preventScroll: true });
    document.getElementById('status').textContent = 'Das Programm l\u00e4uft.';
  },

  web_window_title__deps: ['$Page'],
  web_window_title: function(title) {
    Page.setTitle(Page.text(title));
  },

  web_window_width__deps: ['$Page'],
  web_window_width: function() { return Page.canvas.width; },
  web_window_height__deps: ['$Page'],
  web_window_height: function() { return Page.canvas.height; },

  web_request_frame__deps: ['$Page'],
  web_request_frame: function() {
    if (Page.ended) return;
    Page.frame = requestAnimationFrame(function() {
      Page.frame = 0;
      Page.call(_web_on_display);
      // For whoever measures how soon a page shows the scene.
      if (!Page.firstFrameMarked) {
        Page.firstFrameMarked = true;
        performance.mark('schach3d-first-frame');
      }
    });
  },

  web_timer_start__deps: ['$Page'],
  web_timer_start: function(milliseconds, callback, value) {
    setTimeout(function() {
      Page.call(function() { _web_on_timer(callback, value); });
    }, milliseconds);
  },

  web_elapsed_ms__deps: ['$Page'],
  web_elapsed_ms: function() { return performance.now() - Page.start; },

  web_menu_add__deps: ['$Page'],
  web_menu_add: function(menu, label, value) {
    var list = Page.menus[menu - 1];
    if (!list) {
      list = Page.menus[menu - 1] = document.createElement('ul');
      list.setAttribute('role', 'menu');
      list.setAttribute('aria-label', 'Men\u00fc');
      list.className = 'menu';
      list.dataset.menu = menu;
      list.hidden = true;
      list.addEventListener('keydown', Page.onMenuKey);
      list.addEventListener('click', function(event) {
        if (event.target.parentNode === list) Page.chooseMenu(event.target);
      });
      list.addEventListener('mousemove', function(event) {
        if (event.target.parentNode === list) event.target.focus({ preventScroll: true });
      });
      list.addEventListener('contextmenu', function(event) { event.preventDefault(); });
      document.body.appendChild(list);
    }
    var item = document.createElement('li');
    item.setAttribute('role', 'menuitem');
    item.tabIndex = -1;
    item.dataset.value = value;
    item.textContent = Page.text(label);
    list.appendChild(item);
  },

  web_menu_attach__deps: ['$Page'],
  web_menu_attach: function(menu, button) {
    Page.buttonMenus[button] = menu;
  },

  web_thread_start__deps: ['$Page'],
  web_thread_start: function(proc) {
    setTimeout(function() {
      Page.call(function() { _web_thread_run(proc); });
    }, 0);
  },

  web_thread_sleep__deps: ['$Page'],
  web_thread_sleep: function(milliseconds) {
    Asyncify.handleSleep(function(wakeUp) {
      setTimeout(function() { if (!Page.ended) wakeUp(); }, milliseconds);
    });
  },

  web_box_show__deps: ['$Page'],
  web_box_show: function(text, title) {
    Asyncify.handleSleep(function(wakeUp) {
      Page.showBox(Page.text(text), Page.text(title), function() { wakeUp(); });
    });
  },

  web_box_raise__deps: ['$Page'],
  web_box_raise: function() {
    if (document.getElementById('box').open) document.getElementById('box-ok').focus({ preventScroll: true });
  },

  // The program's stdout and stderr go to the console panel, byte for byte as
  // the program wrote and flushed them.
  fd_write__deps: ['$Page'],
  fd_write__sig: 'iiiii',
  fd_write: function(fd, iov, iovcnt, pnum) {
    // One byte is one character: each buffer decodes on its own, from the heap.
    var text = '';
    for (var i = 0; i < iovcnt; i++) {
      var ptr = HEAPU32[(iov + i * 8) >> 2], len = HEAPU32[(iov + i * 8 + 4) >> 2];
      text += Page.decoder.decode(HEAPU8.subarray(ptr, ptr + len));
    }
    if (text) Page.write(fd, text);
    HEAPU32[pnum >> 2] = text.length;
    return 0;
  }
});
