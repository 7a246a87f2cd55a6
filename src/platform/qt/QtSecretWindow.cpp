#include "platform/qt/QtSecretWindow.h"

#include "platform/qt/QtControls.h"
#include "platform/qt/QtText.h"

#include <QLabel>

#include <algorithm>

namespace tarvex {

namespace {

struct CreditLine
{
    const char* name;
    int top;
    int width;
    int height;
    Qt::Alignment alignment;
    const char* text;
};

// Top to bottom; every label starts 120 twips from the left edge. The taller
// ones wrap their text onto two or three lines.
const CreditLine kCredits[] = {
    {"Label1", 120, 4335, 255, Qt::AlignHCenter, "Tarvex Game Launcher by Idris Vantorre"},
    {"Label2", 480, 4335, 255, Qt::AlignLeft, "Special thanks to:"},
    {"Label4", 720, 4455, 375, Qt::AlignHCenter,
     "Bram Keteldoorn, for his work on Tarvex and on the installer, and for his friendship"},
    {"Label5", 1200, 4455, 255, Qt::AlignLeft, "Oona Pelletreau, for her friendship"},
    {"Label3", 1560, 4455, 615, Qt::AlignHCenter,
     "Everyone who helped make the installer happen: Sefa Marrow, Tamsin Quell, Lio Brandvik, "
     "Harrow Fenn and the regulars of #TarvexHelp"},
    {"Label6", 2280, 4455, 495, Qt::AlignHCenter,
     "Extra special thanks to Wren Addlestone, who kept the Tarvex servers running"},
};

} // namespace

QtSecretWindow::QtSecretWindow(SecretEvents& events)
    : QtWindow(events, "secret", "You found a secret!", 4680, 2760)
{
    for (const auto& line : kCredits) {
        auto* label = makeLabel(this, line.name, line.text, twipsRect(120, line.top, line.width, line.height),
                                line.alignment | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(line.height > 255);
        if (label->wordWrap()) {
            // Faces taller than the one the layout was drawn for need a few
            // more pixels for the same lines; grow downwards rather than cut
            // the last line off. The gaps between the labels leave room.
            const QRect box = label->geometry();
            label->resize(box.width(), std::max(box.height(), label->heightForWidth(box.width())));
        }
    }
}

} // namespace tarvex
