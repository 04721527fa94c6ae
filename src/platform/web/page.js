// The page's half of the web platform (declared in page.h), linked into
// schach3d.js with the files beside it (page_*.js), one concern each: this one
// keeps the program's life on the page: its start, the canvas as its window,
// the title, frames, timers, the waits of its threads, and its end. The page's
// markup is index.html. Every call into the program goes through Page.call,
// so that a program that has ended takes no more events.
mergeInto(LibraryManager.library, {
  $Page__deps: ['$callUserCallback', '$Asyncify', '$PageConsole', '$PageInput', '$PageMenu', '$PageBox',
                '$PageStatus', '$PageApp'],
  $Page__postset: 'Page.init();',
  $Page: {
    ended: false,
    start: 0,
    canvas: null,
    frame: 0,            // the pending animation frame, 0 if none
    firstFrameMarked: false, // whether the first frame has been drawn
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

    listen: function() {
      document.addEventListener('keydown', Page.onHelpKey);
      PageInput.listen(Page.canvas);
      PageMenu.listen();
      PageBox.listen();
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
