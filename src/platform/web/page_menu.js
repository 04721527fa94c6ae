// The pop-up menu: an HTML menu per GLUT menu, opened at the pointer by the
// mouse button it is attached to; choosing an entry hands its value to the
// program's menu callback.
mergeInto(LibraryManager.library, {
  $PageMenu__deps: ['$Page'],
  $PageMenu: {
    menus: [],           // per menu number - 1: its element
    buttonMenus: {},     // GLUT button -> menu number
    open: null,          // the open menu's element, if one is open
    pressed: -1,         // the button whose press opened it, until its release
    pointed: null,       // the entry that the pointer last moved onto

    // Opens the menu attached to the button, if there is one; says whether it did.
    openByButton: function(button, clientX, clientY) {
      var menu = PageMenu.buttonMenus[button];
      if (menu === undefined) return false;
      PageMenu.show(menu, clientX, clientY);
      PageMenu.pressed = button;
      return true;
    },

    // Opens the middle button's menu beside a button of the page (its rectangle).
    openBeside: function(rect) {
      var menu = PageMenu.buttonMenus[1];
      if (menu !== undefined) PageMenu.show(menu, rect.right, rect.top);
    },

    show: function(menu, clientX, clientY) {
      var list = PageMenu.menus[menu - 1];
      list.hidden = false;
      var x = Math.max(0, Math.min(clientX, innerWidth - list.offsetWidth));
      var y = Math.max(0, Math.min(clientY, innerHeight - list.offsetHeight));
      list.style.left = x + 'px';
      list.style.top = y + 'px';
      PageMenu.open = list;
      PageMenu.pointed = null;
      list.firstChild.focus();
    },

    close: function() {
      if (!PageMenu.open) return;
      var list = PageMenu.open;
      PageMenu.open = null;
      var hadFocus = list.contains(document.activeElement);
      list.hidden = true;
      if (hadFocus && !Page.ended) Page.canvas.focus({ preventScroll: true });
    },

    choose: function(item) {
      var menu = Number(item.parentNode.dataset.menu), value = Number(item.dataset.value);
      PageMenu.close();
      Page.call(function() { _web_on_menu(menu, value); });
    },

    onKey: function(event) {
      var items = Array.prototype.slice.call(this.children);
      var at = items.indexOf(document.activeElement);
      var move = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: items.length - 1 }[event.key];
      if (move !== undefined) {
        items[(move + items.length) % items.length].focus();
      } else if (event.key === 'Enter' || event.key === ' ') {
        if (at >= 0) PageMenu.choose(items[at]);
      } else if (event.key === 'Escape' || event.key === 'Tab') {
        PageMenu.close();
      } else {
        return;
      }
      // Escape here closes only the menu: the scene does not see it.
      event.preventDefault();
      event.stopPropagation();
    },

    // As on the desktop, the button that opened the menu, dragged onto an
    // entry and released there, chooses it; released where it was pressed,
    // it leaves the menu open for a click.
    onRelease: function(event) {
      if (event.button !== PageMenu.pressed) return;
      PageMenu.pressed = -1;
      var item = PageMenu.pointed;
      if (PageMenu.open && item && item === event.target) PageMenu.choose(item);
    },

    // A press anywhere but on the open menu closes it, and does nothing else.
    // A finger's press comes as a pointer event (the page makes no mouse
    // events of those on the scene), the mouse's as a mouse event.
    onPressOutside: function(event) {
      if (event.type === 'pointerdown' && event.pointerType === 'mouse') return;
      if (!PageMenu.open || PageMenu.open.contains(event.target)) return;
      PageMenu.close();
      event.preventDefault();
      event.stopPropagation();
    },

    listen: function() {
      document.addEventListener('mousedown', PageMenu.onPressOutside, true);
      document.addEventListener('pointerdown', PageMenu.onPressOutside, true);
      document.addEventListener('mouseup', PageMenu.onRelease, true);
    }
  },

  web_menu_add__deps: ['$PageMenu'],
  web_menu_add: function(menu, label, value) {
    var list = PageMenu.menus[menu - 1];
    if (!list) {
      list = PageMenu.menus[menu - 1] = document.createElement('ul');
      list.setAttribute('role', 'menu');
      list.setAttribute('aria-label', 'Men\u00fc');
      list.className = 'menu';
      list.dataset.menu = menu;
      list.hidden = true;
      list.addEventListener('keydown', PageMenu.onKey);
      list.addEventListener('click', function(event) {
        if (event.target.parentNode === list) PageMenu.choose(event.target);
      });
      list.addEventListener('mousemove', function(event) {
        if (event.target.parentNode !== list) return;
        PageMenu.pointed = event.target;
        event.target.focus({ preventScroll: true });
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

  web_menu_attach__deps: ['$PageMenu'],
  web_menu_attach: function(menu, button) {
    PageMenu.buttonMenus[button] = menu;
  }
});
