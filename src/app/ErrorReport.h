#pragma once
// The general error report: a handler that meets an error it does not handle ends there, its
// text is shown in an error box, and the program goes on. Error texts are the 8-bit text.
#include <exception>
#include <utility>

#include "toolkit/Prompts.h"
#include "toolkit/TextCodec.h"

template <class Handler>
void ReportErrors(Prompts& prompts, Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& e) {
        prompts.ReportError(e.what());
    } catch (...) {
        prompts.ReportError(Utf8ToGb("未知错误"));
    }
}
