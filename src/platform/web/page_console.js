// The console panel: the program's stdout and stderr as it writes them, the
// newest at the bottom, one element per line. Each write says what it adds in
// a console-write event; the panel itself is brought up to date once per
// task, and like a terminal it keeps a bounded history.
mergeInto(LibraryManager.library, {
  $PageConsole__deps: ['$Page'],
  $PageConsole: {
    lines: 3000,
    pending: [],
    line: null, // the line being written

    write: function(fd, text) {
      var panel = document.getElementById('console');
      panel.dispatchEvent(new CustomEvent('console-write', { detail: { stream: fd, text: text } }));
      if (!PageConsole.pending.length) queueMicrotask(PageConsole.show);
      PageConsole.pending.push([fd, text]);
    },

    show: function() {
      var panel = document.getElementById('console');
      var atBottom = panel.scrollTop + panel.clientHeight >= panel.scrollHeight - 4;
      var add = function(fd, text) {
        if (!PageConsole.line) PageConsole.line = panel.appendChild(document.createElement('div'));
        var last = PageConsole.line.lastChild;
        if (fd === 1 && last && last.nodeType === Node.TEXT_NODE) {
          last.appendData(text);
        } else if (fd === 1) {
          PageConsole.line.appendChild(document.createTextNode(text));
        } else {
          var span = PageConsole.line.appendChild(document.createElement('span'));
          span.className = 'stderr';
          span.textContent = text;
        }
      };
      PageConsole.pending.forEach(function(write) {
        // A line feed ends its line, which keeps it: the panel's text is the output.
        write[1].split(/(?<=\n)/).forEach(function(part) {
          if (!part) return;
          add(write[0], part);
          if (part.endsWith('\n')) PageConsole.line = null;
        });
      });
      PageConsole.pending = [];
      while (panel.childElementCount > PageConsole.lines) panel.removeChild(panel.firstElementChild);
      if (atBottom) panel.scrollTop = panel.scrollHeight;
    },

    // Folded away, the panel keeps its text and goes on taking the output.
    listen: function() {
      var fold = document.getElementById('console-fold');
      fold.addEventListener('click', function() {
        var panel = document.getElementById('console');
        panel.hidden = !panel.hidden;
        fold.setAttribute('aria-expanded', String(!panel.hidden));
        fold.textContent = panel.hidden ? 'Ausklappen' : 'Einklappen';
      });
    }
  },

  // The program's stdout and stderr go to the console panel, byte for byte as
  // the program wrote and flushed them.
  fd_write__deps: ['$Page', '$PageConsole'],
  fd_write__sig: 'iiiii',
  fd_write: function(fd, iov, iovcnt, pnum) {
    // One byte is one character: each buffer decodes on its own, from the heap.
    var text = '';
    for (var i = 0; i < iovcnt; i++) {
      var ptr = HEAPU32[(iov + i * 8) >> 2], len = HEAPU32[(iov + i * 8 + 4) >> 2];
      text += Page.decoder.decode(HEAPU8.subarray(ptr, ptr + len));
    }
    if (text) PageConsole.write(fd, text);
    HEAPU32[pnum >> 2] = text.length;
    return 0;
  }
});
