// Touch on the canvas, as a person with only a finger reaches what the mouse,
// the wheel and the arrow keys do: a tap is a left click, one finger dragged
// a left drag, a long press the right button, two fingers spread or pinched
// the camera nearer or farther ("K", "k"), and two fingers dragged together
// the arrow keys. The canvas takes no panning or zooming of the page
// (touch-action: none in index.html); the mouse keeps its own events.
mergeInto(LibraryManager.library, {
  $PageTouch__deps: ['$Page', '$PageInput'],
  $PageTouch: {
    longPressMs: 500,    // a finger held this long without moving is the right button
    slop: 10,            // CSS pixels a finger may wander and still tap or hold
    zoomStep: 1.1,       // the fingers' distance grown or shrunk by a tenth is one step
    turnStep: 40,        // CSS pixels the two fingers travel for one arrow key

    fingers: {},         // pointer id -> { x, y } where the finger is (client coordinates)
    first: null,         // the one finger's start, while it is the only one
    firstId: 0,          // and its pointer
    gesture: null,       // 'waiting', 'drag' or 'hold' for one finger, 'two' for two
    timer: 0,
    frame: 0,            // two fingers: the animation frame that will take their steps
    distance: 0,         // two fingers: their distance at the last step
    middle: null,        // two fingers: their middle at the last step

    onDown: function(event) {
      if (event.pointerType !== 'touch' || Page.ended) return;
      // The page's own handling of the finger: no mouse events made from it.
      event.preventDefault();
      Page.canvas.setPointerCapture(event.pointerId);
      Page.canvas.focus({ preventScroll: true });
      PageTouch.fingers[event.pointerId] = { clientX: event.clientX, clientY: event.clientY };
      var count = PageTouch.count();
      if (count === 1) {
        PageTouch.first = { clientX: event.clientX, clientY: event.clientY };
        PageTouch.firstId = event.pointerId;
        PageTouch.gesture = 'waiting';
        PageTouch.timer = setTimeout(PageTouch.onHeld, PageTouch.longPressMs);
      } else if (count === 2) {
        // A second finger turns whatever the first began into a two-finger
        // gesture: a tap that was to come does not.
        PageTouch.endOneFinger(PageTouch.fingers[PageTouch.firstId] || PageTouch.first, true);
        PageTouch.gesture = 'two';
        var two = PageTouch.pair();
        PageTouch.distance = two.distance;
        PageTouch.middle = two.middle;
      }
    },

    onMove: function(event) {
      var finger = PageTouch.fingers[event.pointerId];
      if (!finger) return;
      finger.clientX = event.clientX;
      finger.clientY = event.clientY;
      var gesture = PageTouch.gesture;
      if (gesture === 'waiting' && PageTouch.moved(finger)) {
        clearTimeout(PageTouch.timer);
        PageTouch.gesture = 'drag';
        PageInput.button(0, 0, PageTouch.first);
        PageInput.motion(finger);
      } else if (gesture === 'drag' || gesture === 'hold') {
        PageInput.motion(finger);
      } else if (gesture === 'two' && !PageTouch.frame) {
        // Each finger moves on its own event: the steps are taken once a
        // frame, when both have, or a finger half-way would be a pinch.
        PageTouch.frame = requestAnimationFrame(PageTouch.twoFingerSteps);
      }
    },

    onUp: function(event) {
      var finger = PageTouch.fingers[event.pointerId];
      if (!finger) return;
      if (PageTouch.gesture === 'two') PageTouch.twoFingerSteps(); // the last of them, before a finger goes
      delete PageTouch.fingers[event.pointerId];
      if (PageTouch.gesture !== 'two') PageTouch.endOneFinger(finger, event.type === 'pointercancel');
      if (PageTouch.count() === 0) PageTouch.gesture = null;
    },

    // A finger held still: the right button goes down where it lies.
    onHeld: function() {
      PageTouch.gesture = 'hold';
      PageInput.button(2, 0, PageTouch.first);
    },

    // The one finger's gesture ends at the point: a tap clicks there (unless
    // cancelled), a drag or a hold lets its button go.
    endOneFinger: function(point, cancelled) {
      clearTimeout(PageTouch.timer);
      var gesture = PageTouch.gesture;
      PageTouch.gesture = null;
      if (gesture === 'waiting' && !cancelled) {
        PageInput.button(0, 0, PageTouch.first);
        PageInput.button(0, 1, PageTouch.first);
      } else if (gesture === 'drag') {
        PageInput.button(0, 1, point);
      } else if (gesture === 'hold') {
        PageInput.button(2, 1, point);
      }
    },

    count: function() { return Object.keys(PageTouch.fingers).length; },

    moved: function(finger) {
      var first = PageTouch.first;
      return Math.hypot(finger.clientX - first.clientX, finger.clientY - first.clientY) > PageTouch.slop;
    },

    // The first two fingers' distance and middle.
    pair: function() {
      var ids = Object.keys(PageTouch.fingers);
      var a = PageTouch.fingers[ids[0]], b = PageTouch.fingers[ids[1]];
      return {
        distance: Math.hypot(a.clientX - b.clientX, a.clientY - b.clientY),
        middle: [(a.clientX + b.clientX) / 2, (a.clientY + b.clientY) / 2]
      };
    },

    // Each step the fingers have made since the last one, as its key.
    twoFingerSteps: function() {
      cancelAnimationFrame(PageTouch.frame);
      PageTouch.frame = 0;
      if (PageTouch.count() !== 2) return;
      var two = PageTouch.pair();
      for (; two.distance >= PageTouch.distance * PageTouch.zoomStep; PageTouch.distance *= PageTouch.zoomStep)
        PageInput.pressKey('K');
      for (; two.distance * PageTouch.zoomStep <= PageTouch.distance; PageTouch.distance /= PageTouch.zoomStep)
        PageInput.pressKey('k');
      var step = PageTouch.turnStep, middle = PageTouch.middle;
      for (; two.middle[0] - middle[0] <= -step; middle[0] -= step) PageInput.pressKey('ArrowLeft');
      for (; two.middle[0] - middle[0] >= step; middle[0] += step) PageInput.pressKey('ArrowRight');
      for (; two.middle[1] - middle[1] <= -step; middle[1] -= step) PageInput.pressKey('ArrowUp');
      for (; two.middle[1] - middle[1] >= step; middle[1] += step) PageInput.pressKey('ArrowDown');
    },

    listen: function(canvas) {
      canvas.addEventListener('pointerdown', PageTouch.onDown);
      canvas.addEventListener('pointermove', PageTouch.onMove);
      canvas.addEventListener('pointerup', PageTouch.onUp);
      canvas.addEventListener('pointercancel', PageTouch.onUp);
    }
  }
});
