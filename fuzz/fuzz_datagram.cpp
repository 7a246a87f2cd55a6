// Every datagram, from anyone, goes the whole way a real one goes: arrival,
// dispatch, notices, status reply parsing and the result list. The input is
// split into several datagrams at a marker, so sequences (a query, then
// replies and notices) are explored too.

#include "app/Form1.h"
#include "tests/fakes/FakePlatform.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {
constexpr std::string_view kSplit = "\x01\x02\x03";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tarvex;
    test::FakePlatform fake;
    fake.settings.set("regular?", "yes");
    fake.files.files[test::kFakeServerList] = "127.0.0.1:27500\r\n";
    Form1 form(fake.platform, UpdateHost{"127.0.0.1", 17500});
    form.Form_Load();
    // Some runs have a status query outstanding when the datagrams arrive.
    if (size > 0 && (data[0] & 1) != 0) {
        form.Command2_Click();
    }

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= input.size()) {
        const auto end = std::min(input.find(kSplit, start), input.size());
        const auto chunk = input.substr(start, end - start);
        fake.ticks.advance(static_cast<std::uint32_t>(chunk.size() * 37));
        fake.socket.deliver("127.0.0.1", 27500, std::string(chunk));
        fake.timer.fire();
        start = end + kSplit.size();
    }

    const auto& window = fake.windows.main();
    // The result list holds the six status lines, the time-out line, or
    // nothing: never a partial or overgrown display.
    if (!(window.lines.empty() || window.lines.size() == 1 || window.showsStatus())) {
        std::abort();
    }
    // Notices never pile up: the fake box returns at once, so each shown box
    // was closed before the next.
    form.mnuExit_Click();
    return 0;
}
