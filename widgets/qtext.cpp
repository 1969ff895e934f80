#include "widgets/qtext.h"

namespace platform {
namespace {

// A byte that is no part of valid UTF-8, carried in a QString.
constexpr char16_t kFirstByteSurrogate = 0xDC80;
constexpr char16_t kLastByteSurrogate = 0xDCFF;
constexpr const char* kReplacement = "\xEF\xBF\xBD"; // U+FFFD

} // namespace

QString FromCp932(const std::string& text) {
    const std::string utf8 = Cp932ToUtf8(text);
    QString result;
    result.reserve(static_cast<qsizetype>(utf8.size()));
    size_t pos = 0;
    while (pos < utf8.size()) {
        // Runs of valid UTF-8 go to Qt's decoder whole; bad bytes one by one.
        const size_t start = pos;
        size_t length = 0;
        while (pos < utf8.size() && (length = ValidUtf8Length(utf8, pos)) != 0)
            pos += length;
        if (pos > start)
            result += QString::fromUtf8(utf8.data() + start, static_cast<qsizetype>(pos - start));
        if (pos < utf8.size()) {
            result += QChar(static_cast<char16_t>(0xDC00 | static_cast<unsigned char>(utf8[pos])));
            ++pos;
        }
    }
    return result;
}

std::string ToCp932(const QString& text) {
    std::string utf8;
    utf8.reserve(static_cast<size_t>(text.size()) * 3);
    qsizetype start = 0;
    const auto flush = [&](qsizetype end) {
        if (end > start) utf8 += text.sliced(start, end - start).toStdString();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i; // a pair: Qt converts it
            continue;
        }
        if (!QChar::isSurrogate(unit)) continue;
        flush(i);
        if (unit >= kFirstByteSurrogate && unit <= kLastByteSurrogate)
            utf8.push_back(static_cast<char>(unit & 0xFF));
        else
            utf8 += kReplacement;
        start = i + 1;
    }
    flush(text.size());
    return Utf8ToCp932(utf8);
}

QString VisibleText(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        char32_t code = text[i].unicode();
        qsizetype units = 1;
        if (QChar::isHighSurrogate(code) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            code = QChar::surrogateToUcs4(text[i], text[i + 1]);
            units = 2;
        }
        const QChar::Category category = QChar::category(code);
        const bool invisible =
            (category == QChar::Other_Control && code != u'\n' && code != u'\t') ||
            category == QChar::Other_Format;
        if (invisible)
            shown += QStringLiteral("<U+%1>").arg(
                QString::number(static_cast<uint>(code), 16).toUpper().rightJustified(4, u'0'));
        else
            shown += text.sliced(i, units);
        i += units;
    }
    return shown;
}

} // namespace platform
