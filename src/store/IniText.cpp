// SPDX-License-Identifier: GPL-2.0-or-later
#include "IniText.h"

#include <QDataStream>
#include <QIODevice>
#include <algorithm>

namespace {

enum : unsigned char { Space = 1, Special = 2 };

unsigned char traits(char c)
{
    switch (c) {
    case '\t':
    case ' ':
        return Space;
    case '\n':
    case '\r':
        return Space | Special;
    case '"':
    case ';':
    case '=':
    case '\\':
        return Special;
    default:
        return 0;
    }
}

// One logical line, as the settings class splits the file: comment lines
// and blank lines before it are skipped, a quoted value or an escaped line
// end continues it, an unquoted ';' ends it.
bool readLine(const QByteArray &data, qsizetype &pos, qsizetype &lineStart, qsizetype &lineLen,
              qsizetype &equalsPos)
{
    const qsizetype len = data.size();
    bool inQuotes = false;
    equalsPos = -1;
    lineStart = pos;
    while (lineStart < len && (traits(data[lineStart]) & Space))
        ++lineStart;
    qsizetype i = lineStart;
    while (i < len) {
        char ch = data[i];
        while (!(traits(ch) & Special)) {
            if (++i == len)
                goto done;
            ch = data[i];
        }
        ++i;
        if (ch == '=') {
            if (!inQuotes && equalsPos == -1)
                equalsPos = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == lineStart + 1) {
                ++lineStart;
            } else if (!inQuotes) {
                --i;
                goto done;
            }
        } else if (ch == '\\') {
            if (i < len) {
                const char c = data[i++];
                if (i < len) {
                    const char c2 = data[i];
                    if ((c == '\n' && c2 == '\r') || (c == '\r' && c2 == '\n'))
                        ++i;
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else { // ';'
            if (i == lineStart + 1) {
                while (i < len && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < len && (traits(data[i]) & Space))
                    ++i;
                lineStart = i;
            } else if (!inQuotes) {
                --i;
                goto done;
            }
        }
    }
done:
    pos = i;
    lineLen = i - lineStart;
    return lineLen > 0;
}

bool isHexDigit(char16_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

void chopTrailingSpaces(QString &s, qsizetype limit)
{
    qsizetype n = s.size() - 1;
    while (n >= limit && (s.at(n) == QLatin1Char(' ') || s.at(n) == QLatin1Char('\t')))
        s.truncate(n--);
}

// A value's text: escapes undone, quotes taken away, split at unquoted
// commas. True when it is a list.
bool unescapedStringList(const QByteArray &str, QString &result, QStringList &list)
{
    static const char escapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                      {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                      {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false;
    char16_t escaped = 0;
    qsizetype i = 0;
    qsizetype chopLimit = 0;
    const qsizetype size = str.size();

skipSpaces:
    while (i < size && (str[i] == ' ' || str[i] == '\t'))
        ++i;
normal:
    chopLimit = result.size();
    while (i < size) {
        switch (str[i]) {
        case '\\': {
            ++i;
            if (i >= size)
                goto end;
            const char ch = str[i++];
            for (const auto &e : escapes) {
                if (ch == e[0]) {
                    result += QLatin1Char(e[1]);
                    goto normal;
                }
            }
            if (ch == 'x') {
                escaped = 0;
                if (i >= size)
                    goto end;
                if (isHexDigit(char16_t(uchar(str[i]))))
                    goto hexEscape;
            } else if (ch >= '0' && ch <= '7') {
                escaped = char16_t(ch - '0');
                goto octEscape;
            } else if (ch == '\n' || ch == '\r') {
                if (i < size) {
                    const char ch2 = str[i];
                    if ((ch2 == '\n' || ch2 == '\r') && ch2 != ch)
                        ++i;
                }
            }
            // any other escaped character is dropped
            chopLimit = result.size();
            break;
        }
        case '"':
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                goto skipSpaces;
            break;
        case ',':
            if (!inQuotes) {
                if (!quoted)
                    chopTrailingSpaces(result, chopLimit);
                if (!isList) {
                    isList = true;
                    list.clear();
                }
                list.append(result);
                result.clear();
                quoted = false;
                ++i;
                goto skipSpaces;
            }
            Q_FALLTHROUGH();
        default: {
            qsizetype j = i + 1;
            while (j < size && str[j] != '\\' && str[j] != '"' && str[j] != ',')
                ++j;
            result += QString::fromUtf8(str.constData() + i, j - i);
            i = j;
        }
        }
    }
    if (!quoted)
        chopTrailingSpaces(result, chopLimit);
    goto end;

hexEscape:
    while (i < size) {
        char ch = str[i];
        if (ch >= 'a')
            ch = char(ch - ('a' - 'A'));
        if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F')))
            break;
        escaped = char16_t((escaped << 4) + (ch <= '9' ? ch - '0' : ch - 'A' + 10));
        ++i;
    }
    result += QChar(escaped);
    if (i >= size)
        goto end;
    goto normal;

octEscape:
    while (i < size && str[i] >= '0' && str[i] <= '7') {
        escaped = char16_t((escaped << 3) + (str[i] - '0'));
        ++i;
    }
    result += QChar(escaped);
    if (i >= size)
        goto end;
    goto normal;

end:
    if (isList)
        list.append(result);
    return isList;
}

QVariant stringToVariant(const QString &s)
{
    if (s.startsWith(QLatin1Char('@'))) {
        if (s.endsWith(QLatin1Char(')'))) {
            if (s.startsWith(QLatin1String("@ByteArray(")))
                return QVariant(QStringView(s).sliced(11).chopped(1).toLatin1());
            if (s.startsWith(QLatin1String("@String(")))
                return QVariant(QStringView(s).sliced(8).chopped(1).toString());
            if (s.startsWith(QLatin1String("@Variant(")) ||
                s.startsWith(QLatin1String("@DateTime("))) {
                const bool dateTime = s.at(1) == QLatin1Char('D');
                QByteArray a = s.mid(dateTime ? 10 : 9).toLatin1();
                QDataStream stream(&a, QIODevice::ReadOnly);
                stream.setVersion(dateTime ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
                QVariant result;
                stream >> result;
                return result;
            }
            if (s == QLatin1String("@Invalid()"))
                return QVariant();
        }
        if (s.startsWith(QLatin1String("@@")))
            return QVariant(s.sliced(1));
    }
    return QVariant(s);
}

QVariant stringListToVariant(const QStringList &l)
{
    QStringList out = l;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QString &s = out.at(i);
        if (s.startsWith(QLatin1Char('@'))) {
            if (s.size() < 2 || s.at(1) != QLatin1Char('@')) {
                QVariantList variants;
                variants.reserve(l.size());
                for (const QString &e : l)
                    variants.append(stringToVariant(e));
                return variants;
            }
            out[i].remove(0, 1);
        }
    }
    return out;
}

QString variantToString(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QByteArray:
        return QStringLiteral("@ByteArray(") + QLatin1String(v.toByteArray()) + QLatin1Char(')');
    case QMetaType::QString:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Float:
    case QMetaType::Double: {
        QString result = v.toString();
        if (result.contains(QChar::Null))
            result = QStringLiteral("@String(") + result + QLatin1Char(')');
        else if (result.startsWith(QLatin1Char('@')))
            result.prepend(QLatin1Char('@'));
        return result;
    }
    default: {
        const bool dateTime = v.metaType().id() == QMetaType::QDateTime;
        QByteArray a;
        {
            QDataStream s(&a, QIODevice::WriteOnly);
            s.setVersion(dateTime ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
            s << v;
        }
        return QLatin1String(dateTime ? "@DateTime(" : "@Variant(") +
               QLatin1String(a.constData(), a.size()) + QLatin1Char(')');
    }
    }
}

void escapedString(const QString &str, QByteArray &result)
{
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    const bool utf8 = !(str.startsWith(QLatin1String("@ByteArray(")) ||
                        str.startsWith(QLatin1String("@Variant(")));
    const qsizetype start = result.size();
    for (qsizetype i = 0; i < str.size(); ++i) {
        const char16_t ch = str.at(i).unicode();
        if (ch == ';' || ch == ',' || ch == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && isHexDigit(ch)) {
            result += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (ch) {
        case '\0':
            result += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a':
            result += "\\a";
            break;
        case '\b':
            result += "\\b";
            break;
        case '\f':
            result += "\\f";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\v':
            result += "\\v";
            break;
        case '"':
        case '\\':
            result += '\\';
            result += char(ch);
            break;
        default:
            if (ch <= 0x1F || (ch >= 0x7F && !utf8)) {
                result += "\\x" + QByteArray::number(ch, 16);
                escapeNextIfDigit = true;
            } else if (utf8 && ch >= 0x80) {
                // A surrogate pair goes out as one character.
                const qsizetype n = QChar::isHighSurrogate(ch) && i + 1 < str.size() &&
                                            str.at(i + 1).isLowSurrogate()
                                        ? 2
                                        : 1;
                result += QStringView(str).sliced(i, n).toUtf8();
                i += n - 1;
            } else {
                result += char(ch);
            }
        }
    }
    if (needsQuotes || (start < result.size() &&
                        (result.at(start) == ' ' || result.at(result.size() - 1) == ' '))) {
        result.insert(start, '"');
        result += '"';
    }
}

void escapedStringList(const QVariantList &list, QByteArray &result)
{
    // An empty list is written as an invalid value, which reads back as an
    // empty list; a list of one empty text stays distinct.
    if (list.isEmpty()) {
        result += "@Invalid()";
        return;
    }
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i != 0)
            result += ", ";
        escapedString(variantToString(list.at(i)), result);
    }
}

QString sectionPrefix(const QByteArray &name)
{
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return QString();
    QString prefix = name.compare("%general", Qt::CaseInsensitive) == 0
                         ? QString::fromLatin1(name.mid(1))
                         : IniText::unescapedKey(name);
    return prefix + QLatin1Char('/');
}

QString groupOf(const QString &key)
{
    const qsizetype slash = key.indexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : key.left(slash);
}

void sortUnique(QStringList &list)
{
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
}

} // namespace

IniText::IniText(const QByteArray &data)
{
    qsizetype pos = data.startsWith("\xef\xbb\xbf") ? 3 : 0;
    qsizetype end = 0;
    qsizetype lineStart = 0, lineLen = 0, equalsPos = -1;
    QString section;
    while (readLine(data, pos, lineStart, lineLen, equalsPos)) {
        Line l;
        l.lead = data.mid(end, lineStart - end);
        l.text = data.mid(lineStart, lineLen);
        end = lineStart + lineLen;
        // A line ended by ';' keeps the comment after it.
        while (pos < data.size() && data[pos] != '\n' && data[pos] != '\r')
            ++pos;
        l.trail = data.mid(end, pos - end);
        end = pos;
        if (l.text.startsWith('[')) {
            qsizetype close = l.text.indexOf(']');
            if (close < 0)
                close = l.text.size();
            l.kind = Line::Section;
            section = sectionPrefix(l.text.mid(1, close - 1).trimmed());
            l.key = section;
        } else if (equalsPos >= 0) {
            l.kind = Line::Entry;
            l.equals = equalsPos - lineStart;
            l.key = section + unescapedKey(l.text.left(l.equals).trimmed());
        }
        lines.push_back(std::move(l));
    }
    tail = data.mid(end);
}

QByteArray IniText::content() const
{
    QByteArray out;
    for (const Line &l : lines)
        out += l.lead + l.text + l.trail;
    out += tail;
    if (!out.isEmpty() && !out.endsWith('\n'))
        out += '\n';
    return out;
}

qsizetype IniText::find(const QString &key) const
{
    for (qsizetype i = qsizetype(lines.size()) - 1; i >= 0; --i)
        if (lines[size_t(i)].kind == Line::Entry && lines[size_t(i)].key == key)
            return i;
    return -1;
}

QVariant IniText::value(const QString &key) const
{
    const qsizetype i = find(normalizedKey(key));
    if (i < 0)
        return QVariant();
    const Line &l = lines[size_t(i)];
    return decodedValue(l.text.mid(l.equals + 1));
}

bool IniText::contains(const QString &key) const
{
    return find(normalizedKey(key)) >= 0;
}

QStringList IniText::allKeys() const
{
    QStringList keys;
    for (const Line &l : lines)
        if (l.kind == Line::Entry)
            keys << l.key;
    sortUnique(keys);
    return keys;
}

QStringList IniText::childKeys(const QString &group) const
{
    const QString g = normalizedKey(group);
    const QString prefix = g.isEmpty() ? g : g + QLatin1Char('/');
    QStringList keys;
    for (const Line &l : lines) {
        if (l.kind != Line::Entry || !l.key.startsWith(prefix))
            continue;
        const QString rest = l.key.mid(prefix.size());
        if (!rest.contains(QLatin1Char('/')))
            keys << rest;
    }
    sortUnique(keys);
    return keys;
}

QStringList IniText::childGroups(const QString &group) const
{
    const QString g = normalizedKey(group);
    const QString prefix = g.isEmpty() ? g : g + QLatin1Char('/');
    QStringList groups;
    for (const Line &l : lines) {
        if (l.kind != Line::Entry || !l.key.startsWith(prefix))
            continue;
        const QString rest = l.key.mid(prefix.size());
        if (rest.contains(QLatin1Char('/')))
            groups << rest.section(QLatin1Char('/'), 0, 0);
    }
    sortUnique(groups);
    return groups;
}

qsizetype IniText::insertionPoint(const QString &key, QByteArray &sectionHeader) const
{
    const QString group = groupOf(key);
    const QString prefix = group.isEmpty() ? group : group + QLatin1Char('/');
    // After the last entry (or the header) of the last section of the group;
    // the lines before the first header belong to the general section.
    qsizetype at = -1;
    QString current;
    bool inGroup = prefix.isEmpty();
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        const Line &l = lines[size_t(i)];
        if (l.kind == Line::Section) {
            current = l.key;
            inGroup = current == prefix;
            if (inGroup)
                at = i + 1;
        } else if (l.kind == Line::Entry && inGroup) {
            at = i + 1;
        }
    }
    if (at >= 0)
        return at;
    const QByteArray name = escapedKey(group);
    if (group.isEmpty())
        sectionHeader = "[General]";
    else if (name.compare("general", Qt::CaseInsensitive) == 0)
        sectionHeader = "[%General]";
    else
        sectionHeader = '[' + name + ']';
    return qsizetype(lines.size());
}

void IniText::setValue(const QString &key, const QVariant &value)
{
    const QString k = normalizedKey(key);
    if (k.isEmpty())
        return;
    const qsizetype last = find(k);
    if (last >= 0) {
        Line &l = lines[size_t(last)];
        l.text = l.text.left(l.equals).trimmed() + '=' + encodedValue(value);
        l.equals = l.text.indexOf('=');
        // Earlier lines of the same key would only confuse a reader.
        for (qsizetype i = last - 1; i >= 0; --i)
            if (lines[size_t(i)].kind == Line::Entry && lines[size_t(i)].key == k)
                lines.erase(lines.begin() + i);
        return;
    }
    QByteArray header;
    qsizetype at = insertionPoint(k, header);
    if (!header.isEmpty()) {
        Line h;
        h.lead = lines.empty() ? QByteArray() : QByteArrayLiteral("\n\n");
        h.text = header;
        h.kind = Line::Section;
        h.key = groupOf(k).isEmpty() ? QString() : groupOf(k) + QLatin1Char('/');
        lines.insert(lines.begin() + at, std::move(h));
        ++at;
    }
    const QString group = groupOf(k);
    Line e;
    e.lead = QByteArrayLiteral("\n");
    e.text = escapedKey(group.isEmpty() ? k : k.mid(group.size() + 1)) + '=';
    e.equals = e.text.size() - 1;
    e.text += encodedValue(value);
    e.kind = Line::Entry;
    e.key = k;
    lines.insert(lines.begin() + at, std::move(e));
}

void IniText::remove(const QString &key)
{
    const QString k = normalizedKey(key);
    if (k.isEmpty()) {
        lines.clear();
        tail.clear();
        return;
    }
    const QString below = k + QLatin1Char('/');
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [&](const Line &l) {
                                   return l.kind == Line::Entry &&
                                          (l.key == k || l.key.startsWith(below));
                               }),
                lines.end());
}

QString IniText::normalizedKey(const QString &key)
{
    QString out;
    out.reserve(key.size());
    for (const QChar c : key) {
        if (c == QLatin1Char('/') && (out.isEmpty() || out.endsWith(QLatin1Char('/'))))
            continue;
        out += c;
    }
    if (out.endsWith(QLatin1Char('/')))
        out.chop(1);
    return out;
}

QByteArray IniText::escapedKey(const QString &key)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(key.size() * 3 / 2);
    for (const QChar qc : key) {
        const char16_t c = qc.unicode();
        if (c == '/') {
            out += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '-' || c == '.') {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(c >> shift) & 0xF];
        }
    }
    return out;
}

QString IniText::unescapedKey(const QByteArray &key)
{
    const QString decoded = QString::fromUtf8(key);
    const qsizetype size = decoded.size();
    QString result;
    result.reserve(size);
    qsizetype i = 0;
    while (i < size) {
        const char16_t ch = decoded.at(i).unicode();
        if (ch == '\\') {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != '%' || i == size - 1) {
            result += QChar(ch);
            ++i;
            continue;
        }
        int digits = 2;
        qsizetype first = i + 1;
        if (decoded.at(i + 1) == QLatin1Char('U')) {
            ++first;
            digits = 4;
        }
        bool ok = false;
        const ushort value = first + digits > size
                                 ? 0
                                 : QStringView(decoded).sliced(first, digits).toUShort(&ok, 16);
        if (!ok) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        result += QChar(value);
        i = first + digits;
    }
    return result;
}

QByteArray IniText::encodedValue(const QVariant &value)
{
    QByteArray out;
    const int type = value.metaType().id();
    if (type == QMetaType::QStringList ||
        (type == QMetaType::QVariantList && value.toList().size() != 1))
        escapedStringList(value.toList(), out);
    else
        escapedString(variantToString(value), out);
    return out;
}

QVariant IniText::decodedValue(const QByteArray &raw)
{
    QString text;
    QStringList list;
    return unescapedStringList(raw, text, list) ? stringListToVariant(list) : stringToVariant(text);
}
