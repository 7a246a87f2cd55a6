#include "platform/qt/QtUrlOpener.h"

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tarvex {
namespace {

using ::testing::ElementsAre;

// Stands in for the desktop's opener: Qt hands it every address of the
// schemes it is registered for instead of starting a browser.
class RecordingHandler : public QObject
{
    Q_OBJECT
public:
    std::vector<std::string> opened;
public slots:
    void openUrl(const QUrl& url) { opened.push_back(url.toString().toStdString()); }
};

class UrlOpenerTest : public ::testing::Test
{
protected:
    UrlOpenerTest()
    {
        for (const char* scheme : kSchemes) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &handler, "openUrl");
        }
    }
    ~UrlOpenerTest() override
    {
        for (const char* scheme : kSchemes) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }

    static constexpr const char* kSchemes[] = {"http", "https"};
    RecordingHandler handler;
    QtUrlOpener opener;
};

TEST_F(UrlOpenerTest, HandsTheAddressToTheDesktopsOpenerWhole)
{
    opener.open("http://tarvex.example/news?id=7#top");
    opener.open("HTTPS://user@tarvex.example:8443/a");
    EXPECT_THAT(handler.opened,
                ElementsAre("http://tarvex.example/news?id=7#top", "https://user@tarvex.example:8443/a"));
}

} // namespace
} // namespace tarvex

#include "UrlOpenerTest.moc"
