// SPDX-License-Identifier: GPL-2.0-or-later
#include "AppProfileStore.h"

#include "FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcAppRules, "talon.store")

namespace {

const QByteArray kGroup = QByteArrayLiteral("apps");
const char kHex[] = "0123456789ABCDEF";

bool plainKeyChar(char16_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The value of `digits` hexadecimal digits at `at`, or -1.
int hexAt(const QByteArray &text, qsizetype at, int digits)
{
    if (at + digits > text.size())
        return -1;
    int value = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = hexValue(text[at + i]);
        if (d < 0)
            return -1;
        value = value * 16 + d;
    }
    return value;
}

} // namespace

AppProfileStore::AppProfileStore(const QString &modulesRoot) : root(modulesRoot) {}

QString AppProfileStore::filePath() const
{
    return root + QStringLiteral("/setting/appProfile.bin");
}

QString AppProfileStore::normalizedClass(const QString &windowClass)
{
    const QString c = windowClass.trimmed().toLower();
    if (c.isEmpty() || c.size() > kMaxClassLength)
        return {};
    for (const QChar ch : c)
        if (ch.category() == QChar::Other_Control)
            return {};
    return c;
}

QByteArray AppProfileStore::escapedKey(const QString &key)
{
    QByteArray out;
    out.reserve(key.size() * 2);
    for (const QChar ch : key) {
        const char16_t c = ch.unicode();
        if (plainKeyChar(c)) {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += kHex[(c >> shift) & 0xF];
        }
    }
    return out;
}

QString AppProfileStore::unescapedKey(const QByteArray &key)
{
    QString out;
    QByteArray raw; // unescaped bytes, read as UTF-8 as a hand-edited file would be
    const auto flushRaw = [&] {
        out += QString::fromUtf8(raw);
        raw.clear();
    };
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char c = key[i];
        if (c == '\\') {
            // How the settings class writes '/'.
            flushRaw();
            out += QLatin1Char('/');
        } else if (c == '%' && i + 1 < key.size() && key[i + 1] == 'U' &&
                   hexAt(key, i + 2, 4) >= 0) {
            flushRaw();
            out += QChar(char16_t(hexAt(key, i + 2, 4)));
            i += 5;
        } else if (c == '%' && hexAt(key, i + 1, 2) >= 0) {
            flushRaw();
            out += QChar(char16_t(hexAt(key, i + 1, 2)));
            i += 2;
        } else {
            raw += c;
        }
    }
    flushRaw();
    return out;
}

AppProfileStore::Rules AppProfileStore::parse(const QByteArray &content)
{
    Rules rules;
    bool inGroup = false;
    qsizetype start = content.startsWith("\xef\xbb\xbf") ? 3 : 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0)
            end = content.size();
        const QByteArray line = content.mid(start, end - start).trimmed();
        start = end + 1;

        if (line.isEmpty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            inGroup = line == '[' + kGroup + ']';
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!inGroup || eq <= 0)
            continue;
        QByteArray value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        bool ok = false;
        const int profile = value.size() <= 3 ? value.toInt(&ok) : -1;
        const QString key = normalizedClass(unescapedKey(line.left(eq).trimmed()));
        if (!ok || profile < 0 || profile >= kProfileCount || key.isEmpty())
            continue;
        // A later line for the same class replaces the earlier one.
        if (rules.size() >= kMaxRules && !rules.contains(key))
            continue;
        rules.insert(key, profile);
    }
    return rules;
}

QByteArray AppProfileStore::serialize(const Rules &rules)
{
    QByteArray out = '[' + kGroup + "]\n";
    for (auto it = rules.cbegin(); it != rules.cend(); ++it)
        out += escapedKey(it.key()) + '=' + QByteArray::number(it.value()) + '\n';
    return out;
}

AppProfileStore::Rules AppProfileStore::rules() const
{
    QFile f(filePath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return parse(f.read(kMaxFileBytes));
}

int AppProfileStore::profileFor(const QString &windowClass) const
{
    const QString key = normalizedClass(windowClass);
    return key.isEmpty() ? -1 : rules().value(key, -1);
}

AppProfileStore::Result AppProfileStore::bind(const QString &windowClass, int profile)
{
    const QString key = normalizedClass(windowClass);
    if (key.isEmpty())
        return Result::BadClass;
    if (profile < 0 || profile >= kProfileCount)
        return Result::BadProfile;
    Rules r = rules();
    if (r.value(key, -1) == profile)
        return Result::Stored;
    if (r.size() >= kMaxRules && !r.contains(key))
        return Result::Full;
    r.insert(key, profile);
    return write(r) ? Result::Stored : Result::WriteFailed;
}

AppProfileStore::Result AppProfileStore::unbind(const QString &windowClass)
{
    const QString key = normalizedClass(windowClass);
    Rules r = rules();
    if (key.isEmpty() || !r.remove(key))
        return Result::NotFound;
    return write(r) ? Result::Stored : Result::WriteFailed;
}

bool AppProfileStore::write(const Rules &rules) const
{
    QDir().mkpath(QFileInfo(filePath()).path());
    const bool ok = fileReplace::writeOver(filePath(), serialize(rules));
    if (!ok)
        qCWarning(lcAppRules) << "cannot write" << filePath();
    return ok;
}
