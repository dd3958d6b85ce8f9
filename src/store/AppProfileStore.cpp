// SPDX-License-Identifier: GPL-2.0-or-later
#include "AppProfileStore.h"

#include "StoreFile.h"

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
        // A later line for the same class replaces the earlier one. Every
        // rule is kept, even past kMaxRules: what a later write drops is lost.
        rules.insert(key, profile);
    }
    return rules;
}

QByteArray AppProfileStore::serialize(const Rules &rules, const QByteArray &previous)
{
    QByteArray group = '[' + kGroup + "]\n";
    for (auto it = rules.cbegin(); it != rules.cend(); ++it)
        group += escapedKey(it.key()) + '=' + QByteArray::number(it.value()) + '\n';

    // Other groups stay where they are; the rules go where the first "[apps]"
    // was, or at the end.
    QByteArray out;
    bool inGroup = false, placed = false;
    qsizetype start = 0;
    while (start < previous.size()) {
        qsizetype end = previous.indexOf('\n', start);
        end = end < 0 ? previous.size() : end + 1;
        QByteArray line = previous.mid(start, end - start);
        start = end;
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[')) {
            inGroup = trimmed == '[' + kGroup + ']';
            if (inGroup && !placed) {
                out += group;
                placed = true;
            }
            if (inGroup)
                continue;
        }
        if (inGroup)
            continue;
        if (!line.endsWith('\n'))
            line += '\n';
        out += line;
    }
    if (!placed) {
        if (!out.isEmpty() && !out.endsWith("\n\n"))
            out += '\n';
        out += group;
    }
    return out;
}

AppProfileStore::Rules AppProfileStore::rules() const
{
    const storeFile::Read r =
        storeFile::read(root, QStringLiteral("setting/appProfile.bin"), kMaxFileBytes);
    unreadable = r.message;
    return r.ok() ? parse(r.content) : Rules();
}

int AppProfileStore::profileFor(const QString &windowClass) const
{
    const QString key = normalizedClass(windowClass);
    return key.isEmpty() ? -1 : rules().value(key, -1);
}

// Read afresh, changed and written back under the data folder's lock, so that
// concurrent writers in other processes lose nothing.
template <typename Change> AppProfileStore::Result AppProfileStore::change(Change changeRules)
{
    problem.clear();
    DataLock lock(root);
    if (!lock.held()) {
        problem = lock.error();
        storeFile::reportFailure(problem);
        return Result::WriteFailed;
    }
    const QString file = QStringLiteral("setting/appProfile.bin");
    const storeFile::Read old = storeFile::read(root, file, kMaxFileBytes);
    if (!old.ok() && old.result != storeFile::ReadResult::Missing) {
        problem = old.message + QStringLiteral(" (left as it is)");
        storeFile::reportFailure(problem);
        return Result::Unreadable;
    }
    Rules r = parse(old.content);
    const Result result = changeRules(r);
    if (result != Result::Stored)
        return result;
    const QByteArray content = serialize(r, old.content);
    if (old.ok() && content == old.content)
        return Result::Stored;
    if (content.size() > kMaxFileBytes) {
        problem = QStringLiteral("%1 would grow past %2 bytes").arg(filePath()).arg(kMaxFileBytes);
        return Result::TooLarge;
    }
    const storeFile::Status s = storeFile::write(root, file, content);
    if (!s) {
        problem = s.message;
        return Result::WriteFailed;
    }
    return Result::Stored;
}

AppProfileStore::Result AppProfileStore::bind(const QString &windowClass, int profile)
{
    const QString key = normalizedClass(windowClass);
    if (key.isEmpty())
        return Result::BadClass;
    if (profile < 0 || profile >= kProfileCount)
        return Result::BadProfile;
    return change([&](Rules &r) {
        if (r.value(key, -1) == profile)
            return Result::Stored;
        if (r.size() >= kMaxRules && !r.contains(key))
            return Result::Full;
        r.insert(key, profile);
        return Result::Stored;
    });
}

AppProfileStore::Result AppProfileStore::unbind(const QString &windowClass)
{
    const QString key = normalizedClass(windowClass);
    if (key.isEmpty())
        return Result::NotFound;
    return change([&](Rules &r) { return r.remove(key) ? Result::Stored : Result::NotFound; });
}
