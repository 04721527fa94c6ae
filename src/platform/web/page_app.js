// The site as an app: the page registers the site's service worker
// (service-worker.js), which keeps the site's files after the first visit,
// so that the page opens and runs with no network. Registered once the page
// has loaded, here rather than before the program: the worker takes no page
// that was open before it, so registering earlier would gain nothing.
mergeInto(LibraryManager.library, {
  $PageApp__postset: 'PageApp.register();',
  $PageApp: {
    register: function() {
      // Browsers offer workers only to secure origins (https, localhost),
      // not to http elsewhere nor to file://; some refuse them in private
      // windows. The page then goes on as a plain page, saying nothing.
      if (!('serviceWorker' in navigator)) return;
      addEventListener('load', function() {
        navigator.serviceWorker.register('service-worker.js').catch(function() {});
      });
    }
  }
});
