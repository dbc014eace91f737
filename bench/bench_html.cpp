// LoadHtml and innerText of a chapter body of about 200 KB, the size of a long chapter page.
#include <benchmark/benchmark.h>

#include "toolkit/DxHtmlParser.h"
#include "toolkit/TextCodec.h"

#include <string>

namespace {

std::string ChapterBody()
{
    const std::string paragraph = Utf8ToGb(
        "&nbsp;&nbsp;&nbsp;&nbsp;夜色渐深，城门外的风卷起一地落叶，他握紧了手中的长剑。"
        "<font color=#888>（本章未完）</font><br>\r\n"
        "&lt;img&nbsp;src=\"100001_1.jpg\"&gt;<br>\r\n<p>第二段 <b>加粗</b> 文字</p>\r\n");
    std::string body;
    while (body.size() < 200 * 1024)
        body += paragraph;
    return body;
}

void BM_LoadHtmlAndInnerText(benchmark::State& state)
{
    const std::string body = ChapterBody();
    TDxHtmlParser parser;
    bool flip = false;
    for (auto _ : state) {
        // Alternate two texts so that every round really parses.
        parser.LoadHtml(flip ? body : body + " ");
        flip = !flip;
        benchmark::DoNotOptimize(parser.Elements().ItemByIndex(0)->innerText());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(body.size()));
}
BENCHMARK(BM_LoadHtmlAndInnerText)->Unit(benchmark::kMillisecond);

}  // namespace
