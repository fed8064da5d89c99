#include "framework/file_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <filesystem>
#include <system_error>

#include "framework/codepage.h"

namespace {

// The length of the well-formed UTF-8 character that `s` starts with, or 0 where there is
// none: no overlong forms, no surrogates, nothing past U+10FFFF.
std::size_t Utf8Length(const unsigned char* s, std::size_t left) {
    const unsigned char lead = s[0];
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (left < length || s[1] < low || s[1] > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((s[i] & 0xC0) != 0x80) return 0;
    }
    return length;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() !=
           std::filesystem::file_type::not_found;
}

// The one entry of `folder` that shows as `part` (see DisplayFileName), or else `part`
// as Qt encodes it.
std::string EntryShownAs(const std::string& folder, const QString& part) {
    const std::string encoded = QFile::encodeName(part).toStdString();
    if (Exists(folder + "/" + encoded)) return encoded;
    std::string found;
    int matches = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder.empty() ? "/" : folder, error), end;
         !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().native();
        if (DisplayFileName(name) == part) {
            found = name;
            ++matches;
        }
    }
    return matches == 1 ? found : encoded;
}

}  // namespace

QString DisplayFileName(const std::string& bytes) {
    QString shown;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = Utf8Length(data + i, bytes.size() - i);
        if (length > 0) {
            shown += QString::fromUtf8(bytes.data() + i, static_cast<qsizetype>(length));
            i += length;
            continue;
        }
        const QChar ch = ByteToChar(data[i++]);
        shown +=
            ch.unicode() >= 0x80 && ch.unicode() <= 0x9F ? QChar(QChar::ReplacementCharacter) : ch;
    }
    return shown;
}

std::string FileNameBytes(const QString& chosen, const std::string& offered) {
    const auto absolute = [](const QString& path) {
        return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    };
    const QString path = absolute(chosen);
    if (!offered.empty() && path == absolute(DisplayFileName(offered))) return offered;
    const std::string encoded = QFile::encodeName(path).toStdString();
    if (Exists(encoded)) return encoded;
    std::string bytes;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        bytes += "/" + EntryShownAs(bytes, part);
    }
    return bytes.empty() ? "/" : bytes;
}
