// The status line below the scene (a live region: a screen reader says each
// change): whether the program is loading, runs, has ended, or cannot run
// here, and why, or whether its picture is being restored, in the page's
// German. "Neu starten" reloads the page where that may help.
mergeInto(LibraryManager.library, {
  $PageStatus__deps: ['$Page'],
  $PageStatus: {
    // A reason that the program cannot run here, said when it ends.
    reason: null,

    show: function(text, restart, failed) {
      var status = document.getElementById('status');
      status.textContent = text;
      status.classList.toggle('failed', !!failed);
      var button = document.getElementById('restart');
      button.hidden = !restart;
      if (restart) button.focus();
    },

    running: function() { PageStatus.show('Das Programm l\u00e4uft.', false); },

    // The canvas's WebGL context is lost until the browser gives it back.
    restoring: function() { PageStatus.show('Das Bild wird wiederhergestellt \u2026', false); },

    ended: function(status) {
      if (PageStatus.reason) PageStatus.show(PageStatus.reason, false, true);
      else PageStatus.show('Das Programm ist beendet (Status ' + status + ').', true);
    },

    // WebAssembly aborts before the program has begun when its file could
    // not be loaded (missing, a server's error, no network); later aborts
    // end the program through Page.call like any other end.
    onAbort: function() {
      if (!runtimeInitialized) schach3dUnavailable('schach3d.wasm'); // index.html's
    }
  },

  // The browser gives the canvas no WebGL 2: restarting would not help.
  web_no_webgl__deps: ['$PageStatus'],
  web_no_webgl: function() {
    PageStatus.reason = 'Dieser Browser kann die Szene nicht zeichnen: ihm fehlt WebGL 2. ' +
      'Es hilft ein aktueller Browser, in dessen Einstellungen die Hardwarebeschleunigung eingeschaltet ist.';
  }
});
