// The key bar below the scene: a button for every key of the key help, for
// a person without a keyboard; each sends exactly what its key sends, and
// carries the key's name as KeyboardEvent.key gives it (data-key). It shows
// by itself where the pointer is a finger, and "Tasten" shows or hides it.
// Its first button opens the menu of the middle button.
mergeInto(LibraryManager.library, {
  $PageKeys__deps: ['$Page', '$PageInput', '$PageMenu'],
  $PageKeys: {
    // Key, its label if not the key itself, and in German what it does, in
    // the key help's words.
    keys: [
      ['h', '', 'diese Hilfe'],
      ['F1', '', 'Hilfe'],
      ['F2', '', 'MessageBox anzeigen'],
      ['ArrowLeft', '\u2190', 'Gesamtbild umdrehen, links'],
      ['ArrowRight', '\u2192', 'Gesamtbild umdrehen, rechts'],
      ['ArrowUp', '\u2191', 'Gesamtbild umdrehen, UP'],
      ['ArrowDown', '\u2193', 'Gesamtbild umdrehen, DOWN'],
      ['K', '', 'Perspektive wechseln (kleiner)'],
      ['k', '', 'Perspektive wechseln (gr\u00f6\u00dfer)'],
      ['a', '', 'Lichtquelle aktivieren'],
      ['o', '', 'Lichtquelle nach oben'],
      ['u', '', 'Lichtquelle nach unten'],
      ['+', '', 'Lichtquelle nach rechts'],
      ['-', '', 'Lichtquelle nach links'],
      // The key help has these two the wrong way round: "E" makes the exponent greater.
      ['E', '', 'Lichtexponent gr\u00f6\u00dfer'],
      ['e', '', 'Lichtexponent kleiner'],
      // A soft hyphen lets the longest word break on a narrow button.
      ['C', '', 'Licht\u00f6ffnungs\u00adwinkel gr\u00f6\u00dfer'],
      ['c', '', 'Licht\u00f6ffnungs\u00adwinkel kleiner'],
      ['d', '', 'Transparenz ein/aus'],
      ['p', '', 'Punkte'],
      ['l', '', 'Linien'],
      ['f', '', 'Fl\u00e4chen'],
      ['t', '', 'mit/ohne Textur'],
      ['z', '', 'Uhrzeit'],
      [' ', 'Leertaste', 'Start/Stop'],
      ['q', '', 'Quit'],
      ['Escape', 'ESC', 'Quit']
    ],

    button: function(label, text) {
      var button = document.createElement('button');
      button.type = 'button';
      button.appendChild(document.createElement('kbd')).textContent = label;
      button.appendChild(document.createElement('span')).textContent = text;
      // A press keeps the focus where it was: in the scene, for a keyboard.
      button.addEventListener('pointerdown', function(event) { event.preventDefault(); });
      return button;
    },

    show: function(shown) {
      document.getElementById('keys').hidden = !shown;
      document.getElementById('keys-toggle').setAttribute('aria-expanded', String(shown));
    },

    build: function() {
      var bar = document.getElementById('keys');
      var menu = bar.appendChild(PageKeys.button('\u2261', 'Men\u00fc'));
      menu.id = 'menu-button';
      menu.setAttribute('aria-haspopup', 'menu');
      menu.addEventListener('click', function() {
        if (Page.ended) return;
        var r = menu.getBoundingClientRect();
        PageMenu.openBeside(r);
      });
      PageKeys.keys.forEach(function(entry) {
        var button = bar.appendChild(PageKeys.button(entry[1] || entry[0], entry[2]));
        button.dataset.key = entry[0];
        button.addEventListener('click', function() {
          PageInput.pressKey(entry[0]);
          if (!Page.ended) Page.canvas.focus({ preventScroll: true });
        });
      });
      var coarse = matchMedia('(pointer: coarse)');
      PageKeys.show(coarse.matches);
      coarse.addEventListener('change', function() { PageKeys.show(coarse.matches); });
      document.getElementById('keys-toggle').addEventListener('click', function() {
        PageKeys.show(bar.hidden);
      });
    }
  }
});
