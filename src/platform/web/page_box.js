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
      // Showing a dialog focuses its button and scrolls the page to it: the page stays put.
      var scrolled = [scrollX, scrollY];
      box.show();
      scrollTo(scrolled[0], scrolled[1]);
      PageBox.place();
      document.getElementById('box-ok').focus({ preventScroll: true });
    },

    // Centred on the scene, as far as the screen lets it: all of it on the screen.
    place: function() {
      var box = document.getElementById('box');
      if (!box.open) return;
      var scene = document.getElementById('scene').getBoundingClientRect();
      var x = Math.round(scene.left + (scene.width - box.offsetWidth) / 2);
      var y = Math.round(scene.top + (scene.height - box.offsetHeight) / 2);
      x = Math.max(8, Math.min(x, innerWidth - box.offsetWidth - 8));
      y = Math.max(8, Math.min(y, innerHeight - box.offsetHeight - 8));
      box.style.left = x + scrollX + 'px';
      box.style.top = y + scrollY + 'px';
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
      addEventListener('resize', PageBox.place);
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
