// The page's half of the web platform (declared in page.h), linked into
// schach3d.js with the files beside it (page_*.js), one concern each: this one
// keeps the program's life on the page: its start, the canvas as its window
// and its WebGL context, the title, frames, timers, the waits of its threads,
// and its end. The page's markup is index.html. Every call into the program
// goes through Page.call, so that a program that has ended takes no more
// events.
mergeInto(LibraryManager.library, {
  $Page__deps: ['$callUserCallback', '$Asyncify', '$PageConsole', '$PageInput', '$PageTouch', '$PageKeys',
                '$PageMenu', '$PageBox', '$PageStatus', '$GL', '$PageApp'],
  $Page__postset: 'Page.init();',
  $Page: {
    ended: false,
    start: 0,
    canvas: null,
    frame: 0,            // the pending animation frame, 0 if none
    firstFrameMarked: false, // whether the first frame has been drawn
    contextLost: false,  // whether the canvas's WebGL context is lost
    restoring: false,    // from its loss until the first frame drawn after its return
    decoder: null,       // the program's texts are Windows-1252

    init: function() {
      Page.start = performance.now();
      Page.decoder = new TextDecoder('windows-1252');
      Module['onAbort'] = PageStatus.onAbort;
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

    end: function(status) {
      if (Page.ended) return;
      Page.ended = true;
      if (Page.frame) cancelAnimationFrame(Page.frame);
      Page.frame = 0;
      PageMenu.close();
      PageBox.end();
      PageStatus.ended(status);
    },

    // F1 is the program's help key wherever the focus is on the page's own
    // parts, the box and the menu included: never the browser's help.
    onHelpKey: function(event) {
      if (event.key === 'F1') event.preventDefault();
    },

    // A phone drops the contexts of pages in the background, and a browser
    // may drop any. The program goes on meanwhile, drawing nothing (fixedgl
    // takes ES's silence), and draws its picture again once the context is
    // back; the browser gives it back only to a page that prevents the
    // default of the loss.
    onContextLost: function(event) {
      event.preventDefault();
      Page.contextLost = true;
      Page.restoring = true;
      if (!Page.ended) PageStatus.restoring();
    },

    onContextRestored: function() {
      Page.contextLost = false;
      // The lost context's objects went with it, and the program forgets
      // their names (web_on_context_restored): emscripten's tables of them
      // let go of them too and hand out names from the start again, or every
      // loss would keep a context's worth of dead objects.
      [GL.buffers, GL.programs, GL.framebuffers, GL.renderbuffers, GL.textures, GL.shaders, GL.vaos, GL.queries,
       GL.samplers, GL.transformFeedbacks, GL.syncs].forEach(function(table) { table.length = 0; });
      GL.counter = GL.contexts.length;
      Page.call(_web_on_context_restored);
    },

    listen: function() {
      document.addEventListener('keydown', Page.onHelpKey);
      Page.canvas.addEventListener('webglcontextlost', Page.onContextLost);
      Page.canvas.addEventListener('webglcontextrestored', Page.onContextRestored);
      PageInput.listen(Page.canvas);
      PageTouch.listen(Page.canvas);
      PageKeys.build();
      PageMenu.listen();
      PageBox.listen();
      PageConsole.listen();
    }
  },

  web_window_open__deps: ['$Page'],
  web_window_open: function(width, height, title) {
    var canvas = Page.canvas = document.getElementById('canvas');
    // The size asked for, or less where the screen has less room (index.html).
    var scene = document.getElementById('scene');
    scene.style.setProperty('--window-width', width + 'px');
    scene.style.setProperty('--window-aspect', width + ' / ' + height);
    var shown = canvas.getBoundingClientRect();
    canvas.width = Math.round(shown.width * devicePixelRatio);
    canvas.height = Math.round(shown.height * devicePixelRatio);
    Page.setTitle(Page.text(title));
    Page.listen();
    canvas.focus({ preventScroll: true });
    PageStatus.running();
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
    if (Page.ended || Page.frame) return;
    Page.frame = requestAnimationFrame(function() {
      Page.frame = 0;
      // Held back while the context is lost: web_on_context_restored asks again.
      if (Page.contextLost) return;
      Page.call(_web_on_display);
      if (Page.restoring && !Page.ended) PageStatus.running();
      Page.restoring = false;
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

  web_thread_start__deps: ['$Page'],
  web_thread_start: function(proc) {
    setTimeout(function() {
      Page.call(function() { _web_thread_run(proc); });
    }, 0);
  },

  web_thread_sleep__deps: ['$Page'],
  web_thread_sleep: function(milliseconds) {
    // The thread goes on as any call into the program does: through Page.call.
    Asyncify.handleSleep(function(wakeUp) {
      setTimeout(function() { Page.call(wakeUp); }, milliseconds);
    });
  }
});
