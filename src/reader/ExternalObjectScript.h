#pragma once
// The scripting object pages find as `window.external`: showmsg(inmsg) gives inmsg + "123",
// and nothing else is on it.
#include <QWebEngineScript>

QWebEngineScript ExternalObjectScript();
