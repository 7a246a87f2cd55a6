#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <string>

namespace tarvex {

// The launcher's texts are one byte per character. A character a byte cannot
// hold (typed by the player) becomes one '?' on the way in, also one that
// takes two UTF-16 units, such as an emoji.
inline std::string toLatin1(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t c : text.toUcs4()) {
        bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    }
    return bytes;
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
