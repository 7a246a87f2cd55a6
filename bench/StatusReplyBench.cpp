// How long dostuff takes on what a game server really sends, and on the
// largest datagram anyone can send the launcher.

#include "query/StatusReply.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A status reply of a busy server: the usual server information and 16
// player lines.
std::string realisticReply()
{
    std::string reply = "\xFF\xFF\xFF\xFFn\\*gamedir\\ktx\\maxfps\\77\\maxclients\\24\\maxspectators\\8"
                        "\\deathmatch\\3\\pm_ktjump\\1\\*version\\MVDSV 0.35\\*z_ext\\511"
                        "\\hostname\\A QuakeWorld test server with a rather long host name"
                        "\\*qvm\\so\\*progs\\so\\ktxver\\1.42\\timelimit\\30\\map\\dm4\\status\\Standby\n";
    for (int i = 1; i <= 16; ++i) {
        reply += std::to_string(i) + " 12 34 56 \"Player" + std::to_string(i) + "\" \"base\" 4 4\n";
    }
    reply += '\0';
    return reply;
}

// 65,507 bytes of one-character fields and line feeds: the most fields and
// player lines a datagram holds, with "map" keys all the way through.
std::string largestReply()
{
    std::string reply;
    reply.reserve(65507);
    const std::string pattern = "a\\map\\b\\c\n";
    while (reply.size() + pattern.size() <= 65507) {
        reply += pattern;
    }
    reply.append(65507 - reply.size(), '\\');
    return reply;
}

void run(benchmark::State& state, const std::string& reply)
{
    const tarvex::ReplySource source{"127.0.0.1", 27500, 12};
    for (auto _ : state) {
        auto lines = tarvex::dostuff(reply, source);
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(reply.size()));
}

void DostuffRealisticReply(benchmark::State& state)
{
    run(state, realisticReply());
}

void DostuffLargestDatagram(benchmark::State& state)
{
    run(state, largestReply());
}

} // namespace

BENCHMARK(DostuffRealisticReply);
BENCHMARK(DostuffLargestDatagram)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
