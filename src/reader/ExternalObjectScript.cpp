#include "reader/ExternalObjectScript.h"

namespace {

// Runs before any script of the page. The object has no prototype, so calling anything but
// showmsg throws in the page's script; it is frozen and its slot on window cannot be replaced.
// WebRTC is removed because its connections bypass the request filter.
const char kSource[] = R"JS(
(function () {
  'use strict';
  var external = Object.create(null);
  Object.defineProperty(external, 'showmsg', {
    value: function showmsg(inmsg) { return String(inmsg) + '123'; },
    enumerable: true
  });
  Object.freeze(external);
  try {
    Object.defineProperty(window, 'external',
      { value: external, writable: false, configurable: false, enumerable: true });
  } catch (e) {}
  ['RTCPeerConnection', 'webkitRTCPeerConnection', 'RTCDataChannel'].forEach(function (name) {
    try {
      Object.defineProperty(window, name, { value: undefined, writable: false, configurable: false });
    } catch (e) {}
  });
})();
)JS";

}  // namespace

QWebEngineScript ExternalObjectScript()
{
    QWebEngineScript script;
    script.setName(QStringLiteral("external"));
    script.setSourceCode(QString::fromLatin1(kSource));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    return script;
}
