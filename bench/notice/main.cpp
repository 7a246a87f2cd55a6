// How long the largest notices a datagram can carry take to open: the real
// message box of the Qt layer, on a real display, from the call to the first
// paint of its OK button; and whether the box then fits the screen with its
// OK button in view.
//
// Usage: bench-notice [--runs N] [--json FILE]
// Exit status 0 when every box opened, fitted and was closed.

#include "platform/qt/QtMessageBox.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Kind
{
    const char* name;
    std::string text;
};

// Notes the first paint of a box's OK button, then closes the box as a
// player pressing OK would.
class FirstPaint final : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* button = qobject_cast<QPushButton*>(watched);
        if (event->type() == QEvent::Paint && button != nullptr && !painted && button->window()->isModal()) {
            painted = true;
            at = Clock::now();
            QWidget* box = button->window();
            const QRect screen = box->screen()->availableGeometry();
            fits = screen.contains(box->frameGeometry())
                && screen.contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size()));
            QTimer::singleShot(0, box, &QWidget::close);
        }
        return false;
    }

    bool painted = false;
    bool fits = false;
    Clock::time_point at;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    int runs = 15;
    std::string jsonPath;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--runs")) {
            runs = std::clamp(args[i + 1].toInt(), 1, 1000);
        } else if (args[i] == QLatin1String("--json")) {
            jsonPath = args[i + 1].toStdString();
        }
    }

    // The largest datagram holds 65,507 bytes, "msgbox" included.
    constexpr std::size_t kLargest = 65507 - 6;
    const Kind kinds[] = {
        {"short notice", " A new version is out.\nGet it from the website."},
        {"65,507-byte notice of line feeds", " " + std::string(kLargest - 1, '\n')},
        {"65,507-byte notice of one line", " " + std::string(kLargest - 1, 'w')},
    };

    tarvex::QtMessageBox box;
    FirstPaint paint;
    app.installEventFilter(&paint);
    bool ok = true;
    std::ostringstream json;
    json << "{\n  \"runs\": " << runs << ",\n  \"notices\": [";
    for (std::size_t k = 0; k < std::size(kinds); ++k) {
        std::vector<double> ms;
        bool fits = true;
        for (int run = 0; run < runs; ++run) {
            paint.painted = false;
            const auto start = Clock::now();
            box.show(kinds[k].text, "Updates");
            ok = ok && paint.painted;
            fits = fits && paint.fits;
            ms.push_back(std::chrono::duration<double, std::milli>(paint.at - start).count());
        }
        std::sort(ms.begin(), ms.end());
        ok = ok && fits;
        json << (k ? "," : "") << "\n    {\"kind\": \"" << kinds[k].name << "\", \"median_ms\": " << ms[ms.size() / 2]
             << ", \"max_ms\": " << ms.back() << ", \"fits_screen\": " << (fits ? "true" : "false") << "}";
    }
    json << "\n  ],\n  \"ok\": " << (ok ? "true" : "false") << "\n}\n";
    std::fputs(json.str().c_str(), stdout);
    if (!jsonPath.empty()) {
        std::ofstream(jsonPath) << json.str();
    }
    return ok ? 0 : 1;
}
