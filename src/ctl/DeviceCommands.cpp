// SPDX-License-Identifier: GPL-2.0-or-later
#include "DeviceCommands.h"
#include "ProgramPath.h"

#include "AppProfileCommand.h"
#include "Connection.h"
#include "features/KeyNameTable.h"
#include "features/MacroEncoder.h"
#include "store/LanguageStore.h"
#include "store/MacroLibrary.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <memory>

namespace ctl {

namespace {

constexpr int kButtons = 16;
constexpr int kHz[] = {125, 250, 500, 1000};
constexpr unsigned char kInterval[] = {8, 4, 2, 1};

// Comma- or space-separated integers; false when one does not parse.
bool parseInts(const QStringList &args, QVariantList &out)
{
    for (const QString &a : args) {
        for (const QString &part : a.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            bool ok = false;
            const int v = part.trimmed().toInt(&ok, 0);
            if (!ok)
                return false;
            out << v;
        }
    }
    return true;
}

QString outOfRange(const QVariantList &v, int lo, int hi)
{
    for (const QVariant &x : v)
        if (x.toInt() < lo || x.toInt() > hi)
            return QStringLiteral("%1 is not %2 to %3").arg(x.toInt()).arg(lo).arg(hi);
    return QString();
}

int rateIndex(int hz)
{
    for (int i = 0; i < 4; ++i)
        if (kHz[i] == hz)
            return i;
    return -1;
}

void printJson(QTextStream &out, const QJsonObject &o)
{
    out << QJsonDocument(o).toJson(QJsonDocument::Indented);
}

// A list of integers stored in the profile, each lo .. hi, count within
// bounds. The error names the profile file and the key.
bool profileInts(Connection &c, const char *key, int minCount, int maxCount, int lo, int hi,
                 QVariantList &out, QString &error)
{
    const QString k = QString::fromLatin1(key);
    const QString where = c.profileFileName() + QStringLiteral(": ") + k;
    if (!c.profiles().getData(k, false).isValid()) {
        error = where + QStringLiteral(" is missing");
        return false;
    }
    const QVariantList raw = c.profiles().getDataList(k, false);
    if (raw.size() < minCount || raw.size() > maxCount) {
        error =
            minCount == maxCount
                ? where + QStringLiteral(" holds %1 values, not %2").arg(raw.size()).arg(minCount)
                : where + QStringLiteral(" holds %1 values, not %2 to %3")
                              .arg(raw.size())
                              .arg(minCount)
                              .arg(maxCount);
        return false;
    }
    out.clear();
    for (const QVariant &v : raw) {
        bool ok = false;
        const int n = v.toString().trimmed().toInt(&ok);
        if (!ok || n < lo || n > hi) {
            error = where + QStringLiteral(" holds \"%1\", not a number from %2 to %3")
                                .arg(v.toString())
                                .arg(lo)
                                .arg(hi);
            return false;
        }
        out << n;
    }
    return true;
}

// One integer stored in the profile, lo .. hi.
bool profileInt(Connection &c, const char *key, int lo, int hi, int &out, QString &error)
{
    const QString k = QString::fromLatin1(key);
    const QVariant v = c.profiles().getData(k, false);
    bool ok = false;
    out = v.toString().trimmed().toInt(&ok);
    if (v.isValid() && ok && out >= lo && out <= hi)
        return true;
    error = c.profileFileName() + QStringLiteral(": ") + k +
            (v.isValid() ? QStringLiteral(" holds \"%1\", not a number from %2 to %3")
                               .arg(v.toString())
                               .arg(lo)
                               .arg(hi)
                         : QStringLiteral(" is missing"));
    return false;
}

// The commands that send what the profile holds first need a profile.
bool needProfile(Connection &c, Plan &plan)
{
    plan.error = c.profileError();
    return plan.error.isEmpty();
}

// keys ------------------------------------------------------------------

QString checkNothing(const QStringList &args, const Options &)
{
    return args.isEmpty() ? QString() : QStringLiteral("unexpected argument ") + args.first();
}

bool prepareKeys(Connection &c, Plan &plan)
{
    if (!needProfile(c, plan))
        return false;
    // The buttons the screens offer; a count the mouse cannot have says the
    // configuration is not this mouse's.
    const QVariant count = c.config().getGlobalData(QStringLiteral("mouse/keyCount"));
    bool ok = false;
    const int buttons = count.toString().trimmed().toInt(&ok);
    if (count.isValid() && (!ok || buttons < 1 || buttons > kButtons)) {
        plan.error = QStringLiteral("%1: mouse/keyCount holds \"%2\", not a number from 1 to %3")
                         .arg(c.configFileName(), count.toString().left(40))
                         .arg(kButtons);
        return false;
    }
    QVariantList codes;
    for (int k = 0; k < kButtons; ++k) {
        QVariantList row;
        const QByteArray key = "mouseKeyMatrix/" + QByteArray::number(k);
        if (!profileInts(c, key.constData(), 4, 4, 0, 255, row, plan.error))
            return false;
        codes << row;
    }
    plan.steps << [&c, codes] { c.buttons().sendKeyCodes(codes, c.gunPeriods()); };
    return true;
}

void keys(Connection &c, const QStringList &, const Options &, Plan &plan)
{
    if (prepareKeys(c, plan))
        plan.report = [](QTextStream &out, bool) { out << "key matrix sent\n"; };
}

// dpi -------------------------------------------------------------------

QString checkDpi(const QStringList &args, const Options &o)
{
    QVariantList values;
    if (!parseInts(args, values))
        return QStringLiteral("dpi values must be numbers");
    if (values.size() > 8)
        return QStringLiteral("dpi takes at most eight values");
    if (const QString e = outOfRange(values, 1, 65535); !e.isEmpty())
        return QStringLiteral("dpi value ") + e;
    if (o.stages != -1 && (o.stages < 1 || o.stages > 8))
        return QStringLiteral("--stages takes 1 to 8");
    if (o.stages > 0 && !values.isEmpty() && o.stages > values.size())
        return QStringLiteral("--stages %1 needs as many values").arg(o.stages);
    return QString();
}

bool prepareDpi(Connection &c, const QStringList &args, const Options &o, Plan &plan,
                QString &summary)
{
    QVariantList values;
    parseInts(args, values);
    const bool fromProfile = values.isEmpty();
    if (fromProfile || o.stages < 0) {
        if (!needProfile(c, plan))
            return false;
    }
    if (fromProfile && !profileInts(c, "mouse/dpiValueArray", 1, 8, 1, 65535, values, plan.error))
        return false;
    int stages = o.stages;
    if (stages < 0) {
        if (c.profiles().getData(QStringLiteral("mouse/currentDpiCount"), false).isValid()) {
            if (!profileInt(c, "mouse/currentDpiCount", 1, 8, stages, plan.error))
                return false;
        } else {
            stages = int(values.size());
        }
    }
    if (stages > values.size()) {
        plan.error = QStringLiteral("%1 stages enabled but %2 DPI values given")
                         .arg(stages)
                         .arg(values.size());
        return false;
    }
    // What this mouse's sensor can do, as the DPI panel's sliders allow.
    bool hasMin = false, hasMax = false;
    const int lowest = c.config().getGlobalData(QStringLiteral("mouse/minDPI")).toInt(&hasMin);
    const int highest = c.config().getGlobalData(QStringLiteral("mouse/maxDPI")).toInt(&hasMax);
    for (const QVariant &v : values) {
        const int dpi = v.toInt();
        if ((hasMin && dpi < lowest) || (hasMax && dpi > highest)) {
            plan.error = QStringLiteral("%1%2 DPI is outside this mouse's %3 to %4 (mouse/minDPI, "
                                        "mouse/maxDPI in %5)")
                             .arg(fromProfile ? c.profileFileName() +
                                                    QStringLiteral(": mouse/dpiValueArray: ")
                                              : QString())
                             .arg(dpi)
                             .arg(hasMin ? QString::number(lowest) : QStringLiteral("1"))
                             .arg(hasMax ? QString::number(highest) : QStringLiteral("65535"))
                             .arg(c.configFileName());
            return false;
        }
    }
    const QString sensor =
        o.sensor.isEmpty() ? c.config().getGlobalData(QStringLiteral("mouse/sensorType")).toString()
                           : o.sensor;
    plan.steps <<
        [&c, stages, sensor, values] { c.settings().mouseSetDpi(stages, sensor, values); };
    summary = QStringLiteral("dpi table sent: %1 stages, sensor %2\n").arg(stages).arg(sensor);
    return true;
}

void dpi(Connection &c, const QStringList &args, const Options &o, Plan &plan)
{
    QString summary;
    if (prepareDpi(c, args, o, plan, summary))
        plan.report = [summary](QTextStream &out, bool) { out << summary; };
}

// current-dpi -----------------------------------------------------------

QString checkCurrentDpi(const QStringList &args, const Options &)
{
    if (args.isEmpty())
        return QString();
    bool ok = false;
    const int stage = args.value(0).toInt(&ok);
    if (!ok || args.size() > 1 || stage < 1 || stage > 8)
        return QStringLiteral("current-dpi takes a stage from 1 to 8");
    return QString();
}

void currentDpi(Connection &c, const QStringList &args, const Options &, Plan &plan)
{
    auto stage = std::make_shared<int>(args.value(0).toInt());
    if (args.isEmpty()) {
        plan.access = Access::Reads;
        plan.steps << [&c, stage] { *stage = c.settings().mouseGetCurrentDPI().toInt(); };
    } else {
        plan.steps <<
            [&c, stage] { c.settings().mouseSetCurrentDPI(static_cast<unsigned char>(*stage)); };
    }
    const bool read = args.isEmpty();
    plan.report = [stage, read](QTextStream &out, bool json) {
        if (json)
            printJson(out, {{QStringLiteral("stage"), *stage}, {QStringLiteral("set"), !read}});
        else if (read)
            out << "current stage: " << *stage << "\n";
        else
            out << "current stage set: " << *stage << "\n";
    };
}

// rate ------------------------------------------------------------------

QString checkRate(const QStringList &args, const Options &)
{
    if (args.size() > 1 || (args.size() == 1 && rateIndex(args[0].toInt()) < 0))
        return QStringLiteral("rate takes 125, 250, 500 or 1000");
    return QString();
}

bool prepareRate(Connection &c, const QStringList &args, Plan &plan, int &index)
{
    if (args.isEmpty()) {
        if (!needProfile(c, plan) || !profileInt(c, "mouse/reportRate", 0, 3, index, plan.error))
            return false;
    } else {
        index = rateIndex(args[0].toInt());
    }
    return true;
}

void rate(Connection &c, const QStringList &args, const Options &, Plan &plan)
{
    int index = 0;
    if (!prepareRate(c, args, plan, index))
        return;
    // A bare rate only tells what the profile holds: reading never writes.
    if (args.isEmpty()) {
        plan.access = Access::None;
        const QString file = c.profileFileName();
        plan.report = [index, file](QTextStream &out, bool) {
            out << "report rate in " << file << ": " << kHz[index] << " Hz\n";
        };
        return;
    }
    plan.steps << [&c, index] { c.settings().mouseSetReportRate(kInterval[index]); };
    plan.report = [index](QTextStream &out, bool) {
        out << "report rate sent: " << kHz[index] << " Hz\n";
    };
}

// lighting, colours -----------------------------------------------------

QString checkLighting(const QStringList &args, const Options &)
{
    if (args.isEmpty())
        return QString();
    QVariantList levels;
    if (args.size() != 3 || !parseInts(args.mid(1), levels) || levels.size() != 2 ||
        !outOfRange(levels, 0, 4).isEmpty())
        return QStringLiteral("lighting takes EFFECT SPEED(0-4) BRIGHTNESS(0-4)");
    return QString();
}

// The effects the lighting panel offers this model, by their English names
// in the data tree's language file ("Breath" becomes "breath").
QStringList effectNames(Connection &c)
{
    const QStringList texts =
        LanguageStore(c.modulesRoot())
            .getLangStrings(QStringLiteral("lightControl"), QStringLiteral("English"));
    const ModelFlags &m = c.family().model();
    QList<int> positions = {1, 2, 3, 4};
    if (m.isColorful)
        for (int i = 8; i <= 14; ++i)
            positions << i;
    if (m.is55328)
        positions << 15;
    if (m.is571)
        for (int j = 0; j < positions.size() && j <= 10; ++j)
            positions[j] = 16 + j;
    QStringList names;
    for (int p : positions)
        names << texts.value(p).toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
    return names;
}

// "Breathing" names the effect called "breath" too: case, spaces and dashes
// aside, a name matches with or without "ing".
int effectIndex(const QStringList &names, const QString &given)
{
    const auto plain = [](QString s) {
        s = s.toLower();
        s.remove(QRegularExpression(QStringLiteral("[^a-z0-9]")));
        return s;
    };
    const QString g = plain(given);
    for (int i = 0; i < names.size(); ++i) {
        const QString n = plain(names[i]);
        if (!n.isEmpty() &&
            (g == n || g == n + QLatin1String("ing") || n == g + QLatin1String("ing")))
            return i;
    }
    return -1;
}

bool prepareLighting(Connection &c, const QStringList &args, Plan &plan, QString &summary)
{
    QVariantList v;
    const QStringList names = effectNames(c);
    if (args.isEmpty()) {
        if (!needProfile(c, plan) ||
            !profileInts(c, "mouse/lightValue", 3, 3, 0, 255, v, plan.error))
            return false;
        if (!outOfRange(v.mid(1), 0, 4).isEmpty()) {
            plan.error = c.profileFileName() +
                         QStringLiteral(": mouse/lightValue: speed and brightness are 0 to 4");
            return false;
        }
    } else {
        bool number = false;
        int effect = args[0].toInt(&number);
        if (!number)
            effect = effectIndex(names, args[0]);
        if (effect < 0 || effect > 255 || (!number && effect >= names.size())) {
            plan.error = QStringLiteral("no effect \"%1\" on this mouse; it has: %2 (or their "
                                        "numbers, 0 to %3)")
                             .arg(args[0], names.join(QStringLiteral(", ")))
                             .arg(names.size() - 1);
            return false;
        }
        v << effect;
        parseInts(args.mid(1), v);
    }
    const auto b = [&v](int i) { return static_cast<unsigned char>(v[i].toInt()); };
    const unsigned char effect = b(0), speed = b(1), brightness = b(2);
    plan.steps << [&c, effect, speed, brightness] {
        c.settings().mouseSetRGBEffect(effect, speed, brightness);
    };
    summary = effect < names.size()
                  ? QStringLiteral("lighting effect sent: %1 (%2)\n").arg(names[effect]).arg(effect)
                  : QStringLiteral("lighting effect sent: %1\n").arg(effect);
    return true;
}

void lighting(Connection &c, const QStringList &args, const Options &, Plan &plan)
{
    QString summary;
    if (prepareLighting(c, args, plan, summary))
        plan.report = [summary](QTextStream &out, bool) { out << summary; };
}

QString checkColours(const QStringList &args, const Options &)
{
    QVariantList v;
    if (!parseInts(args, v))
        return QStringLiteral("colors takes numbers");
    if (v.size() > 48)
        return QStringLiteral("colors takes at most 48 values");
    if (!outOfRange(v, 0, 255).isEmpty())
        return QStringLiteral("colour values are 0 to 255");
    return QString();
}

bool prepareColours(Connection &c, const QStringList &args, const Options &o, Plan &plan,
                    QString &summary)
{
    QVariantList v;
    parseInts(args, v);
    if (v.isEmpty() && (!needProfile(c, plan) ||
                        !profileInts(c, "mouse/colorValue", 0, 48, 0, 255, v, plan.error)))
        return false;
    const int type = o.type >= 0 ? o.type : (c.family().model().isColorful ? 0 : 1);
    plan.steps <<
        [&c, type, v] { c.settings().mouseSetRGBColor(static_cast<unsigned char>(type), v); };
    summary = QStringLiteral("colours sent: %1 slots\n").arg(v.size() / 3);
    return true;
}

void colours(Connection &c, const QStringList &args, const Options &o, Plan &plan)
{
    QString summary;
    if (prepareColours(c, args, o, plan, summary))
        plan.report = [summary](QTextStream &out, bool) { out << summary; };
}

QString checkFixColour(const QStringList &args, const Options &)
{
    QVariantList v;
    if (!parseInts(args, v))
        return QStringLiteral("fix-color takes numbers");
    if (!v.isEmpty() && (v.size() != 3 || !outOfRange(v, 0, 255).isEmpty()))
        return QStringLiteral("fix-color takes R,G,B of 0 to 255");
    return QString();
}

bool prepareFixColour(Connection &c, const QStringList &args, Plan &plan)
{
    if (c.family().model().is560()) {
        plan.error = QStringLiteral("the 560 family has no fixed colour (mouse/icType in %1)")
                         .arg(c.configFileName());
        return false;
    }
    QVariantList v;
    parseInts(args, v);
    if (v.isEmpty() &&
        (!needProfile(c, plan) || !profileInts(c, "mouse/fixColor", 3, 3, 0, 255, v, plan.error)))
        return false;
    plan.steps << [&c, v] { c.settings().mouseSetFixColor(v); };
    return true;
}

void fixColour(Connection &c, const QStringList &args, const Options &, Plan &plan)
{
    if (prepareFixColour(c, args, plan))
        plan.report = [](QTextStream &out, bool) { out << "fixed colour sent\n"; };
}

// macro, gun --------------------------------------------------------------

QString checkMacro(const QStringList &args, const Options &o)
{
    if (args.size() != 1)
        return QStringLiteral("macro takes the name of a macro of the library");
    if (o.slot < 0 || o.slot > 11)
        return QStringLiteral("macro needs --slot 0 to 11");
    return QString();
}

// The library's entries as the mouse will play them; an error names the
// file and the entry that cannot be.
bool macroActions(const MacroLibrary::Stored &stored, keyNames::Lookup &names,
                  QVector<macroEncoder::Action> &actions, QString &error)
{
    for (int i = 0; i < stored.actions.size(); ++i) {
        const QString &entry = stored.actions[i];
        const auto bad = [&](const QString &why) {
            error = QStringLiteral("%1: macro/%2 holds \"%3\": %4")
                        .arg(stored.file)
                        .arg(i)
                        .arg(entry.left(40), why);
            return false;
        };
        const int comma = entry.indexOf(QLatin1Char(','));
        if (comma < 0)
            return bad(QStringLiteral("not an action (type,info)"));
        bool ok = false;
        macroEncoder::Action a;
        a.type = entry.left(comma).trimmed().toInt(&ok);
        if (!ok || a.type < macroEncoder::Delay || a.type > macroEncoder::ButtonRelease)
            return bad(QStringLiteral("the type is 0 to 4"));
        const QString info = entry.mid(comma + 1);
        if (a.type == macroEncoder::Delay) {
            a.value = info.trimmed().toInt(&ok);
            if (!ok || a.value < 0 || a.value > 65535)
                return bad(QStringLiteral("a delay is 0 to 65535 ms"));
        } else {
            a.value = names.code(info);
            if (!a.value)
                return bad(QStringLiteral("no key of that name"));
        }
        actions << a;
    }
    return true;
}

void macro(Connection &c, const QStringList &args, const Options &o, Plan &plan)
{
    MacroLibrary library(c.profiles(), c.modulesRoot());
    const MacroLibrary::Stored stored = library.readMacro(args[0]);
    if (!stored.ok) {
        plan.error = stored.error;
        return;
    }
    const QString language =
        o.language.isEmpty()
            ? c.config().getGlobalData(QStringLiteral("common/language")).toString()
            : o.language;
    const LanguageStore languages(c.modulesRoot());
    QStringList names = languages.getLangStrings(QStringLiteral("keyCode"), language);
    if (names.isEmpty())
        names = keyNames::englishNames();
    QVector<macroEncoder::Action> actions;
    // A macro recorded before a change of language keeps the names of then.
    keyNames::Lookup lookup(names,
                            [&languages, language] { return languages.otherKeyNames(language); });
    if (!macroActions(stored, lookup, actions, plan.error))
        return;
    const QByteArray block = macroEncoder::encode(actions, stored.repeat);
    if (block.size() <= 2) {
        plan.error = stored.file + QStringLiteral(": no action the mouse can play (it needs a "
                                                  "press and a release)");
        return;
    }
    // The encoder leaves out what does not fit; the last action then makes
    // no difference.
    QVector<macroEncoder::Action> shorter = actions;
    while (!shorter.isEmpty() && shorter.last().type == macroEncoder::Delay)
        shorter.removeLast();
    if (!shorter.isEmpty())
        shorter.removeLast();
    if (macroEncoder::encode(shorter, stored.repeat) == block) {
        plan.error = stored.file + QStringLiteral(": %1 actions do not fit the mouse's macro "
                                                  "memory (%2 bytes)")
                                       .arg(actions.size())
                                       .arg(macroEncoder::kBlockLength);
        return;
    }
    QVariantList data;
    for (char b : block)
        data << int(static_cast<unsigned char>(b));
    const int slot = o.slot;
    plan.steps << [&c, data, slot] { c.settings().mouseSendMacroData(data, slot); };
    const QString summary = QStringLiteral("macro sent: %1 to slot %2 (%3 bytes)\n")
                                .arg(args[0])
                                .arg(slot)
                                .arg(block.size());
    plan.report = [summary](QTextStream &out, bool) { out << summary; };
}

QString checkGun(const QStringList &args, const Options &)
{
    QVariantList v;
    if (!parseInts(args, v) || (v.size() != 1 && v.size() != 4))
        return QStringLiteral("gun takes SLOT [COUNT X Y]");
    if (v[0].toInt() < 1 || v[0].toInt() > 3)
        return QStringLiteral("gun slots are 1 to 3");
    if (v.size() == 4 && !outOfRange(v.mid(1, 1), 0, 255).isEmpty())
        return QStringLiteral("gun shot count is 0 to 255");
    return QString();
}

void gun(Connection &c, const QStringList &args, const Options &, Plan &plan)
{
    QVariantList v;
    parseInts(args, v);
    const int slot = v[0].toInt();
    if (!c.family().model().isGun) {
        plan.error = QStringLiteral("this mouse has no gun feature (mouse/isGun in %1)")
                         .arg(c.configFileName());
        return;
    }
    QVariantList values = v.mid(1);
    if (values.isEmpty()) {
        const QVariantList picks =
            c.config().getGlobalData(QStringLiteral("mouse/selectGun")).toList();
        const QVariantList entry = c.guns().getGunData(picks.value(slot - 1, slot - 1).toString());
        values = {entry.value(5).toInt(), entry.value(3).toInt(), entry.value(4).toInt()};
    }
    plan.steps << [&c, slot, values] { c.settings().mouseSendGundata(slot, values); };
    plan.report = [slot](QTextStream &out, bool) { out << "gun slot " << slot << " sent\n"; };
}

// read-profile, status ----------------------------------------------------

QString checkReadProfile(const QStringList &args, const Options &)
{
    bool ok = false;
    const int n = args.value(0).toInt(&ok);
    if (!ok || args.size() != 1 || n < 0 || n > 4)
        return QStringLiteral("read-profile takes an on-device profile 0 to 4");
    return QString();
}

void readProfile(Connection &c, const QStringList &args, const Options &, Plan &plan)
{
    if (!c.family().model().is560()) {
        plan.error =
            QStringLiteral("on-device profiles belong to the 560 family (mouse/icType in %1)")
                .arg(c.configFileName());
        return;
    }
    const unsigned n = args[0].toUInt();
    plan.access = Access::Reads;
    plan.steps << [&c, n] { c.board().mouseReadProfile(n); };
    plan.report = [&c, n](QTextStream &out, bool json) {
        const BoardProfiles::Block &b = c.board().block(n);
        if (json) {
            QJsonArray bytes;
            for (uchar x : b)
                bytes << int(x);
            printJson(out, {{QStringLiteral("profile"), int(n)}, {QStringLiteral("bytes"), bytes}});
            return;
        }
        for (int row = 0; row < BoardProfiles::kLength; row += 16) {
            out << QStringLiteral("%1 ").arg(row, 3, 10, QLatin1Char(' '));
            for (int i = row; i < row + 16; ++i)
                out << QStringLiteral(" %1").arg(b[std::size_t(i)], 2, 16, QLatin1Char('0'));
            out << "\n";
        }
    };
}

QString hex4(unsigned v)
{
    return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0'));
}

void status(Connection &c, const QStringList &, const Options &, Plan &plan)
{
    struct Read
    {
        int stage = 0;
        QVariantList option;
        int boardProfile = -1;
    };
    auto read = std::make_shared<Read>();
    plan.access = Access::Reads;
    plan.steps << [&c, read] { read->stage = c.settings().mouseGetCurrentDPI().toInt(); }
               << [&c, read] { read->option = c.settings().GetKeyboardoption(); };
    const ModelFlags model = c.family().model();
    if (model.is560())
        plan.steps <<
            [&c, read] { read->boardProfile = c.board().mouseReadCurrentProfile().toInt(); };

    const QStringList effects = effectNames(c);
    plan.report = [&c, read, model, effects](QTextStream &out, bool json) {
        const DeviceEntry device = c.link().deviceList.value(c.connectedRow());
        const QString family = model.is560() ? QStringLiteral("560") : QStringLiteral("553");
        // Profiles are numbered as --profile numbers them.
        bool known = false;
        const int profileNo =
            c.config().getGlobalData(QStringLiteral("mouse/profileNo")).toString().toInt(&known);
        const int profile = known && c.profiles().isValidProfile(profileNo) ? profileNo + 1 : 0;
        const QVariantList dpis =
            c.profiles().getDataList(QStringLiteral("mouse/dpiValueArray"), false);
        const QVariant stageDpi = profile > 0 && read->stage >= 1 && read->stage <= dpis.size()
                                      ? QVariant(dpis[read->stage - 1].toInt())
                                      : QVariant();
        if (json) {
            QJsonArray option;
            for (const QVariant &b : read->option)
                option << b.toInt();
            QJsonObject o{
                {QStringLiteral("configuration"), c.configFileName()},
                {QStringLiteral("family"), family},
                {QStringLiteral("model"),
                 QJsonObject{{QStringLiteral("icType"), model.icType},
                             {QStringLiteral("isColorful"), model.isColorful},
                             {QStringLiteral("isGun"), model.isGun},
                             {QStringLiteral("is55328"), model.is55328},
                             {QStringLiteral("is571"), model.is571}}},
                {QStringLiteral("device"),
                 QJsonObject{{QStringLiteral("row"), c.connectedRow()},
                             {QStringLiteral("vid"), hex4(device.vid)},
                             {QStringLiteral("pid"), hex4(device.pid)},
                             {QStringLiteral("cipher"), device.isEncode}}},
                {QStringLiteral("currentDpiStage"), read->stage},
                {QStringLiteral("dpi"), QJsonValue::fromVariant(stageDpi)},
                {QStringLiteral("keyboardOption"), option},
                {QStringLiteral("profile"), profile > 0 ? QJsonValue(profile) : QJsonValue()},
                {QStringLiteral("lightingEffects"), QJsonArray::fromStringList(effects)},
            };
            if (model.is560())
                o.insert(QStringLiteral("currentProfile"), read->boardProfile);
            o.insert(QStringLiteral("path"),
                     programPath::describe().section(QLatin1String(": "), 1));
            printJson(out, o);
            return;
        }
        out << "mouse: row " << c.connectedRow() << " of the device table, USB " << hex4(device.vid)
            << ":" << hex4(device.pid) << ", frames "
            << (device.isEncode ? "enciphered" : "not enciphered") << "\n"
            << "configuration: " << c.configFileName() << "\n"
            << "controller: " << family << " family\n"
            << "lighting effects: " << effects.join(QStringLiteral(", ")) << "\n"
            << "gun slots: " << (model.isGun ? "yes" : "none") << "\n";
        if (profile > 0)
            out << "profile: " << profile << " (" << QFileInfo(c.profileFileName()).fileName()
                << ")\n";
        else
            out << "profile: none set (mouse/profileNo)\n";
        out << "DPI stage: " << read->stage;
        if (stageDpi.isValid())
            out << ", " << stageDpi.toInt() << " DPI in profile " << profile;
        out << "\n";
        if (model.is560())
            out << "on-device profile: " << read->boardProfile << "\n";
        out << programPath::describe() << "\n";
    };
}

// apply -------------------------------------------------------------------

void apply(Connection &c, const QStringList &, const Options &o, Plan &plan)
{
    Options plain = o;
    plain.type = -1;
    QString dpiSummary, lightSummary, colourSummary;
    int rate = 0;
    if (!prepareKeys(c, plan) || !prepareDpi(c, {}, plain, plan, dpiSummary) ||
        !prepareRate(c, {}, plan, rate))
        return;
    plan.steps << [&c, rate] { c.settings().mouseSetReportRate(kInterval[rate]); };
    if (!prepareLighting(c, {}, plan, lightSummary) ||
        !prepareColours(c, {}, plain, plan, colourSummary))
        return;
    // The 560 family has no fixed colour; its colours travel in the blocks.
    const bool fixColour = c.family().model().is571 && !c.family().model().is560();
    if (fixColour && !prepareFixColour(c, {}, plan))
        return;
    plan.report = [=](QTextStream &out, bool) {
        out << "key matrix sent\n"
            << dpiSummary << "report rate sent: " << kHz[rate] << " Hz\n"
            << lightSummary << colourSummary;
        if (fixColour)
            out << "fixed colour sent\n";
    };
}

} // namespace

const QList<CommandInfo> &deviceCommands()
{
    static const QList<CommandInfo> commands = {
        {"probe", "probe [--device N] [--json]",
         "Read the device table, look for each configured device and run the handshake; print "
         "which row answers (family, interface paths, cipher on or off). Nothing is written.",
         "talonctl probe --config ./modules/setting/apConfig.bin", kJson, checkNothing, nullptr},
        {"status", "status [--device N] [--json]",
         "Print what the configuration and the mouse say: the row that answered, the controller "
         "family, the lighting effects and gun slots of the model, the current profile (1 to "
         "10), the current DPI stage and its DPI, and on the 560 family the on-device profile. "
         "Nothing is written.",
         "talonctl status --json", kJson, checkNothing, status},
        {"keys", "keys [--profile P]",
         "Send the profile's button assignments (and the gun matrices when a button cycles guns).",
         "talonctl keys --profile 2", kProfile, checkNothing, keys},
        {"dpi", "dpi [--profile P] [--sensor S] [--stages N] [VALUES]",
         "Send the DPI stage table: up to eight values, N of them enabled, each within the "
         "configuration's mouse/minDPI to mouse/maxDPI.",
         "talonctl dpi --stages 4 800,1600,3200,6400", kProfile | kSensor | kStages, checkDpi, dpi},
        {"current-dpi", "current-dpi [STAGE] [--json]",
         "Read the current DPI stage, or switch to STAGE (1 to 8).", "talonctl current-dpi 2",
         kJson, checkCurrentDpi, currentDpi},
        {"rate", "rate [HZ] [--profile P]",
         "Send the report rate: 125, 250, 500 or 1000 Hz. Without HZ, print the profile's rate "
         "and send nothing.",
         "talonctl rate 1000", kProfile, checkRate, rate},
        {"lighting", "lighting [--profile P] [EFFECT SPEED BRIGHTNESS]",
         "Send the lighting effect, by its name in the lighting panel (static, breathing, ...) "
         "or its number there, with speed and brightness steps 0 to 4.",
         "talonctl lighting breathing 2 4", kProfile, checkLighting, lighting},
        {"colors", "colors [--profile P] [--type T] [R,G,B,...]",
         "Send the colour slots (up to 16 RGB triples).", "talonctl colors 255,0,0,0,255,0",
         kProfile | kType, checkColours, colours},
        {"fix-color", "fix-color [--profile P] [R,G,B]", "Send the fixed colour (553 family).",
         "talonctl fix-color 255,122,26", kProfile, checkFixColour, fixColour},
        {"macro", "macro NAME --slot N [--language L]",
         "Encode macro NAME of the library and send it to macro slot N (0 to 11).",
         "talonctl macro Reload --slot 3", kSlot | kLanguage, checkMacro, macro},
        {"gun", "gun SLOT [COUNT X Y]",
         "Send gun slot SLOT (1 to 3): shot count and pull, by default from the gun picked for "
         "it.",
         "talonctl gun 1 0 0 -10", 0, checkGun, gun},
        {"read-profile", "read-profile N [--json]",
         "Read on-device profile N (0 to 4, 560 family) and print it. Nothing is written.",
         "talonctl read-profile 1", kJson, checkReadProfile, readProfile},
        {"apply", "apply [--profile P]",
         "Send everything a profile holds: buttons, DPI table, report rate, lighting, colours. "
         "Every value is checked before the first is sent.",
         "talonctl apply --profile ./my.pf", kProfile, checkNothing, apply},
        {"app-profile", "app-profile list | add CLASS N | remove CLASS",
         "Profiles that follow the application in front: list the rules, give the windows of "
         "class CLASS (their WM_CLASS class, see xprop WM_CLASS; any case) profile N (1 to 10), "
         "or remove the rule. Needs no mouse; a running utility takes the change at once.",
         "talonctl app-profile add steam_app_730 2", 0, checkAppProfile, appProfile},
    };
    return commands;
}

const CommandInfo *findCommand(const QString &name)
{
    for (const CommandInfo &c : deviceCommands())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

} // namespace ctl
