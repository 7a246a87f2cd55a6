// The launcher under a datagram flood: the real Qt platform and Form1, with
// the timer, the message box, the socket and the web opener wrapped so that
// ticks, open boxes and deliveries can be counted from inside. A sender
// thread floods the launcher's socket from 127.0.0.1; afterwards a normal
// status query must still get its six lines.
//
// Usage: bench-flood [--datagrams N] [--close-box-ms MS] [--json FILE]
// Exit status 0 when the run finished and the last query was answered.

#include "CountingDatagramSocket.h"
#include "CountingMessageBox.h"
#include "CountingUrlOpener.h"
#include "FloodSender.h"
#include "RecordingTimer.h"
#include "StatusResponder.h"

#include "app/Form1.h"
#include "platform/qt/QtPlatform.h"
#include "query/StatusReply.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kSettleTime = 500ms; // the window is up and idle before the flood
constexpr auto kQuietTime = 500ms;  // no delivery for this long: the flood is drained
constexpr auto kQueryTime = 3s;     // the last query must be answered within this
constexpr auto kRunDeadline = 120s; // the whole run, whatever happens
constexpr auto kSendTimeLimit = 30s;

long kibFromStatus(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0) {
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
        }
    }
    return -1;
}

double milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

std::string jsonString(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

QWidget* mainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("Form1")) {
            return widget;
        }
    }
    return nullptr;
}

std::vector<std::string> resultLines()
{
    std::vector<std::string> lines;
    QWidget* window = mainWindow();
    auto* list = window ? window->findChild<QListWidget*>(QStringLiteral("List1")) : nullptr;
    for (int i = 0; list && i < list->count(); ++i) {
        lines.push_back(list->item(i)->text().toStdString());
    }
    return lines;
}

// Types the address into the server box and presses Update, as a player does.
bool queryThroughWindow(const std::string& address)
{
    QWidget* window = mainWindow();
    auto* combo = window ? window->findChild<QComboBox*>(QStringLiteral("Combo1")) : nullptr;
    auto* update = window ? window->findChild<QPushButton*>(QStringLiteral("Command2")) : nullptr;
    if (!combo || !update) {
        return false;
    }
    combo->setEditText(QString::fromStdString(address));
    update->click();
    return true;
}

enum class Phase { Settling, Flooding, Draining, Querying, Finished };

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    long datagrams = 100000;
    int closeBoxAfterMs = 20;
    std::string jsonPath;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--datagrams")) {
            datagrams = std::clamp(args[i + 1].toLong(), 1L, 1000000L);
        } else if (args[i] == QLatin1String("--close-box-ms")) {
            closeBoxAfterMs = std::clamp(args[i + 1].toInt(), 1, 5000);
        } else if (args[i] == QLatin1String("--json")) {
            jsonPath = args[i + 1].toStdString();
        }
    }

    // The real platform, with the services the run counts wrapped.
    tarvex::QtPlatform qt;
    tarvex::bench::CountingMessageBox messages(qt.messages, closeBoxAfterMs);
    tarvex::bench::CountingDatagramSocket socket(qt.socket);
    tarvex::bench::RecordingTimer timer(qt.timer);
    tarvex::bench::CountingUrlOpener urls;
    tarvex::Platform platform{qt.windows,  messages, socket,       timer,         qt.ticks,
                              qt.settings, qt.files, qt.processes, qt.fileDialog, urls};

    tarvex::bench::StatusResponder responder;
    tarvex::bench::FloodSender sender(datagrams, kSendTimeLimit);
    tarvex::Form1 form(platform, tarvex::UpdateHost{"127.0.0.1", sender.port()});
    form.Form_Load();

    const auto started = Clock::now();
    Phase phase = Phase::Settling;
    int outcome = 1;
    std::string failure;
    long rssBefore = 0;
    long rssAfter = 0;
    std::size_t firstFloodTick = 0;
    Clock::time_point floodStart;
    Clock::time_point drained;
    Clock::time_point querySent;
    Clock::time_point answered;
    std::vector<std::string> finalLines;

    const auto finish = [&](int code, std::string why) {
        phase = Phase::Finished;
        outcome = code;
        failure = std::move(why);
        QApplication::exit(code);
    };

    QTimer monitor;
    QObject::connect(&monitor, &QTimer::timeout, [&] {
        const auto now = Clock::now();
        if (phase == Phase::Finished) {
            return;
        }
        if (now - started > kRunDeadline) {
            finish(2, "the run did not finish in time");
            return;
        }
        if (sender.failed()) {
            finish(3, "the flood sender never saw the update query");
            return;
        }
        switch (phase) {
        case Phase::Settling:
            if (sender.ready() && now - started >= kSettleTime && messages.open() == 0) {
                rssBefore = kibFromStatus("VmRSS");
                firstFloodTick = timer.ticks().size();
                floodStart = now;
                sender.go();
                phase = Phase::Flooding;
            }
            break;
        case Phase::Flooding:
            if (sender.done()) {
                phase = Phase::Draining;
            }
            break;
        case Phase::Draining:
            if (now - socket.lastDelivery() >= kQuietTime && messages.open() == 0) {
                drained = now;
                rssAfter = kibFromStatus("VmRSS");
                querySent = Clock::now();
                if (!queryThroughWindow("127.0.0.1:" + std::to_string(responder.port()))) {
                    finish(4, "the main window's controls were not found");
                    return;
                }
                phase = Phase::Querying;
            }
            break;
        case Phase::Querying: {
            auto lines = resultLines();
            if (lines.size() == std::tuple_size_v<tarvex::StatusLines> && lines[0] == "Hostname: After Flood") {
                answered = now;
                finalLines = std::move(lines);
                finish(0, "");
            } else if (now - querySent > kQueryTime) {
                finalLines = std::move(lines);
                finish(5, "the status query after the flood got no answer");
            }
            break;
        }
        case Phase::Finished:
            break;
        }
    });
    monitor.start(10);
    QApplication::exec();
    monitor.stop();

    // Gone without a close event: closing would save the server list.
    delete mainWindow();

    const auto& tickTimes = timer.ticks();
    double longestGapMs = 0;
    const std::size_t from = firstFloodTick > 0 ? firstFloodTick - 1 : 0;
    for (std::size_t i = from + 1; i < tickTimes.size(); ++i) {
        longestGapMs = std::max(longestGapMs, milliseconds(tickTimes[i] - tickTimes[i - 1]));
    }
    const long ticksDuring = static_cast<long>(tickTimes.size() - std::min(tickTimes.size(), firstFloodTick));

    std::ostringstream json;
    json << "{\n"
         << "  \"ok\": " << (outcome == 0 ? "true" : "false") << ",\n"
         << "  \"failure\": " << jsonString(failure) << ",\n"
         << "  \"datagrams_planned\": " << datagrams << ",\n"
         << "  \"datagrams_sent\": " << sender.sent() << ",\n"
         << "  \"datagrams_refused_by_system\": " << sender.refused() << ",\n"
         << "  \"mix_status_msgbox_website_garbage\": [" << sender.kinds()[0] << ", " << sender.kinds()[1] << ", "
         << sender.kinds()[2] << ", " << sender.kinds()[3] << "],\n"
         << "  \"send_seconds\": " << sender.seconds() << ",\n"
         << "  \"datagrams_delivered\": " << socket.delivered() << ",\n"
         << "  \"flood_to_drained_ms\": " << milliseconds(drained - floodStart) << ",\n"
         << "  \"ticks_during\": " << ticksDuring << ",\n"
         << "  \"longest_tick_gap_ms\": " << longestGapMs << ",\n"
         << "  \"rss_before_kib\": " << rssBefore << ",\n"
         << "  \"rss_after_kib\": " << rssAfter << ",\n"
         << "  \"rss_growth_kib\": " << (rssAfter - rssBefore) << ",\n"
         << "  \"rss_peak_kib\": " << kibFromStatus("VmHWM") << ",\n"
         << "  \"max_boxes_open\": " << messages.maxOpen() << ",\n"
         << "  \"boxes_shown\": " << messages.shown() << ",\n"
         << "  \"websites_asked\": " << urls.opened() << ",\n"
         << "  \"query_after_ms\": " << (outcome == 0 ? milliseconds(answered - querySent) : -1.0) << ",\n"
         << "  \"status_line_count\": " << std::tuple_size_v<tarvex::StatusLines> << ",\n"
         << "  \"query_after_lines\": [";
    for (std::size_t i = 0; i < finalLines.size(); ++i) {
        json << (i ? ", " : "") << jsonString(finalLines[i]);
    }
    json << "]\n}\n";
    std::fputs(json.str().c_str(), stdout);
    if (!jsonPath.empty()) {
        std::ofstream(jsonPath) << json.str();
    }
    return outcome;
}
