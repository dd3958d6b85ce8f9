#include "DeviceCommands.h"

#include "Cli.h"
#include "Connection.h"
#include "features/KeyNameTable.h"
#include "features/MacroEncoder.h"
#include "store/LanguageStore.h"
#include "store/MacroLibrary.h"

namespace ctl {

namespace {

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

int badArgs(QTextStream &err, const QString &what)
{
    err << "talonctl: " << what << "\n";
    return kBadInput;
}

QVariantList profileList(Connection &s, const char *key)
{
    return s.profiles().getDataList(QString::fromLatin1(key), false);
}

int sendKeys(Connection &s, const QStringList &args, const Options &, QTextStream &out,
             QTextStream &err)
{
    if (!args.isEmpty())
        return badArgs(err, QStringLiteral("keys takes no arguments"));
    QVariantList codes;
    for (int k = 0; k < 16; ++k) {
        const QVariantList row = s.buttons().mouseGetKeydefine(k, false);
        for (int i = 0; i < 4; ++i)
            codes << (i < row.size() ? row[i].toInt() : 0);
    }
    s.buttons().sendKeyCodes(codes, s.gunPeriods());
    out << "key matrix sent\n";
    return kOk;
}

int sendDpi(Connection &s, const QStringList &args, const Options &o, QTextStream &out,
            QTextStream &err)
{
    QVariantList values;
    if (!parseInts(args, values))
        return badArgs(err, QStringLiteral("dpi values must be numbers"));
    if (values.isEmpty())
        values = profileList(s, "mouse/dpiValueArray");
    if (values.size() > 8)
        return badArgs(err, QStringLiteral("dpi takes at most eight values"));
    int stages = o.stages;
    if (stages < 0) {
        const QVariant stored =
            s.profiles().getData(QStringLiteral("mouse/currentDpiCount"), false);
        stages = stored.isValid() ? stored.toInt() : int(values.size());
    }
    if (stages < 1 || stages > 8)
        return badArgs(err, QStringLiteral("--stages takes 1 to 8"));
    const QString sensor =
        o.sensor.isEmpty() ? s.config().getGlobalData(QStringLiteral("mouse/sensorType")).toString()
                           : o.sensor;
    s.settings().mouseSetDpi(stages, sensor, values);
    out << "dpi table sent: " << stages << " stages, sensor " << sensor << "\n";
    return kOk;
}

int currentDpi(Connection &s, const QStringList &args, const Options &, QTextStream &out,
               QTextStream &err)
{
    if (args.isEmpty()) {
        out << "current stage: " << s.settings().mouseGetCurrentDPI().toInt() << "\n";
        return kOk;
    }
    bool ok = false;
    const int stage = args.value(0).toInt(&ok);
    if (!ok || args.size() > 1 || stage < 1 || stage > 8)
        return badArgs(err, QStringLiteral("current-dpi takes a stage from 1 to 8"));
    s.settings().mouseSetCurrentDPI(static_cast<unsigned char>(stage));
    out << "current stage set: " << stage << "\n";
    return kOk;
}

int reportRate(Connection &s, const QStringList &args, const Options &, QTextStream &out,
               QTextStream &err)
{
    static const int kHz[] = {125, 250, 500, 1000};
    static const unsigned char kInterval[] = {8, 4, 2, 1};
    int index = -1;
    if (args.isEmpty()) {
        index =
            qBound(0, s.profiles().getData(QStringLiteral("mouse/reportRate"), false).toInt(), 3);
    } else {
        const int hz = args.value(0).toInt();
        for (int i = 0; i < 4; ++i)
            if (kHz[i] == hz)
                index = i;
    }
    if (index < 0 || args.size() > 1)
        return badArgs(err, QStringLiteral("rate takes 125, 250, 500 or 1000"));
    s.settings().mouseSetReportRate(kInterval[index]);
    out << "report rate sent: " << kHz[index] << " Hz\n";
    return kOk;
}

int sendLighting(Connection &s, const QStringList &args, const Options &, QTextStream &out,
                 QTextStream &err)
{
    QVariantList v;
    if (!parseInts(args, v))
        return badArgs(err, QStringLiteral("lighting takes numbers"));
    if (v.isEmpty())
        v = profileList(s, "mouse/lightValue");
    if (v.size() != 3 || v[1].toInt() < 0 || v[1].toInt() > 4 || v[2].toInt() < 0 ||
        v[2].toInt() > 4 || v[0].toInt() < 0 || v[0].toInt() > 255)
        return badArgs(err, QStringLiteral("lighting takes EFFECT SPEED(0-4) BRIGHTNESS(0-4)"));
    s.settings().mouseSetRGBEffect(static_cast<unsigned char>(v[0].toInt()),
                                   static_cast<unsigned char>(v[1].toInt()),
                                   static_cast<unsigned char>(v[2].toInt()));
    out << "lighting effect sent: " << v[0].toInt() << "\n";
    return kOk;
}

int sendColours(Connection &s, const QStringList &args, const Options &o, QTextStream &out,
                QTextStream &err)
{
    QVariantList v;
    if (!parseInts(args, v))
        return badArgs(err, QStringLiteral("colors takes numbers"));
    if (v.isEmpty())
        v = profileList(s, "mouse/colorValue");
    if (v.size() > 48)
        return badArgs(err, QStringLiteral("colors takes at most 48 values"));
    for (const QVariant &c : v)
        if (c.toInt() < 0 || c.toInt() > 255)
            return badArgs(err, QStringLiteral("colour values are 0 to 255"));
    const int type = o.type >= 0 ? o.type : (s.family().model().isColorful ? 0 : 1);
    s.settings().mouseSetRGBColor(static_cast<unsigned char>(type), v);
    out << "colours sent: " << v.size() / 3 << " slots\n";
    return kOk;
}

int sendFixColour(Connection &s, const QStringList &args, const Options &, QTextStream &out,
                  QTextStream &err)
{
    QVariantList v;
    if (!parseInts(args, v))
        return badArgs(err, QStringLiteral("fix-color takes numbers"));
    if (v.isEmpty())
        v = profileList(s, "mouse/fixColor");
    if (v.size() != 3)
        return badArgs(err, QStringLiteral("fix-color takes R,G,B"));
    s.settings().mouseSetFixColor(v);
    out << "fixed colour sent\n";
    return kOk;
}

int sendMacro(Connection &s, const QStringList &args, const Options &o, QTextStream &out,
              QTextStream &err)
{
    if (args.size() != 1)
        return badArgs(err, QStringLiteral("macro takes the name of a macro of the library"));
    if (o.slot < 0 || o.slot > 11)
        return badArgs(err, QStringLiteral("macro needs --slot 0 to 11"));
    MacroLibrary library(s.profiles(), s.modulesRoot());
    const QStringList entries = library.loadMacroIni(args[0]);
    if (entries.isEmpty())
        return badArgs(err, QStringLiteral("no macro named %1").arg(args[0]));
    const QString language =
        o.language.isEmpty()
            ? s.config().getGlobalData(QStringLiteral("common/language")).toString()
            : o.language;
    QStringList names =
        LanguageStore(s.modulesRoot()).getLangStrings(QStringLiteral("keyCode"), language);
    if (names.isEmpty())
        names = keyNames::englishNames();
    const QByteArray block = macroEncoder::encode(
        macroEncoder::parse(entries.mid(0, entries.size() - 1), names), entries.last().toInt());
    QVariantList data;
    for (char b : block)
        data << int(static_cast<unsigned char>(b));
    s.settings().mouseSendMacroData(data, o.slot);
    out << "macro sent: " << args[0] << " to slot " << o.slot << " (" << block.size()
        << " bytes)\n";
    return kOk;
}

int sendGun(Connection &s, const QStringList &args, const Options &, QTextStream &out,
            QTextStream &err)
{
    QVariantList v;
    if (!parseInts(args, v) || (v.size() != 1 && v.size() != 4))
        return badArgs(err, QStringLiteral("gun takes SLOT [COUNT X Y]"));
    const int slot = v[0].toInt();
    if (slot < 1 || slot > 3)
        return badArgs(err, QStringLiteral("gun slots are 1 to 3"));
    if (!s.family().model().isGun)
        return badArgs(err, QStringLiteral("this mouse has no gun feature (mouse/isGun)"));
    QVariantList values = v.mid(1);
    if (values.isEmpty()) {
        const QVariantList picks =
            s.config().getGlobalData(QStringLiteral("mouse/selectGun")).toList();
        const QVariantList gun = s.guns().getGunData(picks.value(slot - 1, slot - 1).toString());
        values = {gun.value(5).toInt(), gun.value(3).toInt(), gun.value(4).toInt()};
    }
    s.settings().mouseSendGundata(slot, values);
    out << "gun slot " << slot << " sent\n";
    return kOk;
}

int readProfile(Connection &s, const QStringList &args, const Options &, QTextStream &out,
                QTextStream &err)
{
    bool ok = false;
    const int n = args.value(0).toInt(&ok);
    if (!ok || args.size() != 1 || n < 0 || n > 4)
        return badArgs(err, QStringLiteral("read-profile takes an on-device profile 0 to 4"));
    if (!s.family().model().is560())
        return badArgs(err, QStringLiteral("on-device profiles belong to the 560 family"));
    s.board().mouseReadProfile(unsigned(n));
    const BoardProfiles::Block &b = s.board().block(unsigned(n));
    for (int row = 0; row < BoardProfiles::kLength; row += 16) {
        out << QStringLiteral("%1 ").arg(row, 3, 10, QLatin1Char(' '));
        for (int i = row; i < row + 16; ++i)
            out << QStringLiteral(" %1").arg(b[std::size_t(i)], 2, 16, QLatin1Char('0'));
        out << "\n";
    }
    return kOk;
}

int applyProfile(Connection &s, const QStringList &args, const Options &o, QTextStream &out,
                 QTextStream &err)
{
    if (!args.isEmpty())
        return badArgs(err, QStringLiteral("apply takes no arguments"));
    Options plain = o;
    plain.type = -1;
    int status = sendKeys(s, {}, plain, out, err);
    if (status == kOk)
        status = sendDpi(s, {}, plain, out, err);
    if (status == kOk)
        status = reportRate(s, {}, plain, out, err);
    if (status == kOk)
        status = sendLighting(s, {}, plain, out, err);
    if (status == kOk)
        status = sendColours(s, {}, plain, out, err);
    if (status == kOk && s.family().model().is571)
        status = sendFixColour(s, {}, plain, out, err);
    return status;
}

} // namespace

const QList<CommandInfo> &deviceCommands()
{
    static const QList<CommandInfo> commands = {
        {"keys", sendKeys, "keys [--profile P]",
         "Send the profile's button assignments (and the gun matrices when a button cycles guns).",
         "talonctl keys --profile 2"},
        {"dpi", sendDpi, "dpi [--profile P] [--sensor S] [--stages N] [VALUES]",
         "Send the DPI stage table: up to eight values, N of them enabled.",
         "talonctl dpi --stages 4 800,1600,3200,6400"},
        {"current-dpi", currentDpi, "current-dpi [STAGE]",
         "Read the current DPI stage, or switch to STAGE.", "talonctl current-dpi 2"},
        {"rate", reportRate, "rate [HZ]", "Send the report rate: 125, 250, 500 or 1000 Hz.",
         "talonctl rate 1000"},
        {"lighting", sendLighting, "lighting [EFFECT SPEED BRIGHTNESS]",
         "Send the lighting effect with speed and brightness steps 0 to 4.",
         "talonctl lighting 1 2 4"},
        {"colors", sendColours, "colors [--type T] [R,G,B,...]",
         "Send the colour slots (up to 16 RGB triples).", "talonctl colors 255,0,0,0,255,0"},
        {"fix-color", sendFixColour, "fix-color [R,G,B]", "Send the fixed colour.",
         "talonctl fix-color 255,122,26"},
        {"macro", sendMacro, "macro NAME --slot N [--language L]",
         "Encode macro NAME of the library and send it to macro slot N (0 to 11).",
         "talonctl macro Reload --slot 3"},
        {"gun", sendGun, "gun SLOT [COUNT X Y]",
         "Send gun slot SLOT (1 to 3): shot count and pull, by default from the gun picked for it.",
         "talonctl gun 1 0 0 -10"},
        {"read-profile", readProfile, "read-profile N",
         "Read on-device profile N (560 family) and print it.", "talonctl read-profile 1"},
        {"apply", applyProfile, "apply [--profile P]",
         "Send everything a profile holds: buttons, DPI table, report rate, lighting.",
         "talonctl apply --profile ./my.pf"},
    };
    return commands;
}

} // namespace ctl
