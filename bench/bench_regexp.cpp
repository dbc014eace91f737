// The tag pattern over one chapter body of 200 KB, as each chapter download runs it.
#include <benchmark/benchmark.h>

#include <string>

#include "toolkit/RegExp.h"
#include "toolkit/TextCodec.h"

namespace {

std::string ChapterBody()
{
    const std::string paragraph = Utf8ToGb(
        "&nbsp;&nbsp;&nbsp;&nbsp;他抬起头，望着远处的山峰，心中暗暗下定决心。"
        "这一次，无论如何也不能再退缩了。<br /><br />\r\n");
    std::string body;
    int n = 0;
    while (body.size() < 200 * 1024) {
        body += paragraph;
        if (++n % 40 == 0)
            body += "<img src=\"/files/article/image/12/" + std::to_string(n) + ".jpg\">\r\n";
    }
    return body;
}

void BM_TagPatternOverChapter(benchmark::State& state)
{
    const std::string body = ChapterBody();
    TRegExp re;
    re.SetIgnoreCase(true);
    re.SetGlobal(true);
    re.SetPattern(kTagPattern);
    for (auto _ : state)
        benchmark::DoNotOptimize(re.Execute(body).Count());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * body.size());
}
BENCHMARK(BM_TagPatternOverChapter)->Unit(benchmark::kMillisecond);

}  // namespace
