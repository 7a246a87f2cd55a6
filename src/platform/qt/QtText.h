#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <string>

namespace tarvex {

// The launcher's texts are one byte per character. Characters a byte cannot
// hold (typed by the player) become '?' on the way in.
inline std::string toLatin1(const QString& text)
{
    return text.toLatin1().toStdString();
}

inline QString fromLatin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Window geometry is given in twips: 15 to a pixel at 96 dots per inch. Qt
// scales these device-independent pixels with the screen's DPI itself.
inline int twips(int value)
{
    return (value + 7) / 15;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// For windows laid out for "MS Sans Serif": where it is missing, the faces
// named after it have close widths, so captions still fit their labels.
inline QFont classicFont(qreal pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace tarvex
