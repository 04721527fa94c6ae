// The help box: a dialog over the scene, which goes on running under it, as
// under the desktop's box. The help thread waits in web_box_show until it closes.
mergeInto(LibraryManager.library, {
  $PageBox__deps: ['$Page'],
  $PageBox: {
    closed: null,        // while the box is open: what to do when it closes

    show: function(text, title, closed) {
      var box = document.getElementById('box');
      document.getElementById('box-title').textContent = title;
      // Lines as the desktop box has them: a final line feed ends the last
      // line instead of opening an empty one; tabs stop every eight columns.
      document.getElementById('box-text').textContent = text.replace(/\n$/, '');
      PageBox.closed = closed;
      box.show();
      var scene = box.parentNode;
      box.style.left = Math.max(0, Math.round((scene.clientWidth - box.offsetWidth) / 2)) + 'px';
      box.style.top = Math.max(0, Math.round((scene.clientHeight - box.offsetHeight) / 2)) + 'px';
      document.getElementById('box-ok').focus({ preventScroll: true });
    },

    close: function() {
      var box = document.getElementById('box');
      if (!box.open) return;
      var hadFocus = box.contains(document.activeElement);
      box.close();
      var closed = PageBox.closed;
      PageBox.closed = null;
      if (hadFocus && !Page.ended) Page.canvas.focus({ preventScroll: true });
      if (closed) closed();
    },

    // The program has ended, and the box's thread with it: the box goes
    // without waking the thread.
    end: function() {
      PageBox.closed = null;
      var box = document.getElementById('box');
      if (box.open) box.close();
    },

    onKey: function(event) {
      if (event.key !== 'Enter' && event.key !== ' ' && event.key !== 'Escape') return;
      event.preventDefault();
      event.stopPropagation();
      PageBox.close();
    },

    listen: function() {
      document.getElementById('box').addEventListener('keydown', PageBox.onKey);
      document.getElementById('box-ok').addEventListener('click', PageBox.close);
    }
  },

  web_box_show__deps: ['$PageBox', '$Asyncify'],
  web_box_show: function(text, title) {
    Asyncify.handleSleep(function(wakeUp) {
      PageBox.show(Page.text(text), Page.text(title), function() { Page.call(wakeUp); });
    });
  },

  web_box_raise__deps: ['$PageBox'],
  web_box_raise: function() {
    if (document.getElementById('box').open) document.getElementById('box-ok').focus({ preventScroll: true });
  }
});
