// SPDX-License-Identifier: GPL-2.0-or-later
// The view's store slots: QML's variants in, the stores' answers out.
#include "myQQuickView.h"

void myQQuickView::resetApconfig()
{
    config.resetApconfig();
}

bool myQQuickView::loadMacroFile(QVariant macroFileName)
{
    const QString file = pickFile(false, tr("Macro(*.mc)"));
    return macros.importMacro(macroFileName.toString(), file);
}

void myQQuickView::saveMacroFile(QVariant macroFileName)
{
    const QString file = pickFile(true, tr("Macro(*.mc)"));
    if (!file.isEmpty())
        macros.exportMacro(macroFileName.toString(), file);
}

bool myQQuickView::loadProfile(int profile)
{
    const QString file = pickFile(false, tr("Profile(*.pf)"));
    if (file.isEmpty())
        return false;
    profiles.importProfile(profile, file);
    return true;
}

void myQQuickView::saveProfile(int profile)
{
    const QString file = pickFile(true, tr("Profile(*.pf)"));
    if (!file.isEmpty())
        profiles.exportProfile(profile, file);
}

void myQQuickView::resetProfile(int profile)
{
    profiles.resetProfile(profile);
}

void myQQuickView::copyProfile(int destprofile, int srcprofile)
{
    profiles.copyProfile(destprofile, srcprofile);
}

QStringList myQQuickView::getLangStrings(QString typeStr, QString langCode)
{
    return languages.getLangStrings(typeStr, langCode);
}

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex)
{
    return macros.createMacroIni(name.toString(), macroIndex.toUInt());
}

QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList)
{
    return names.updataNameList(type.toUInt(), nameList);
}

QVariant myQQuickView::modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname)
{
    return macros.modifyMacroNameUpdateProfile(oldname.toString(), newname.toString());
}

void myQQuickView::deleteMacroUpdateProfile(QVariant macroName)
{
    macros.deleteMacroUpdateProfile(macroName.toString());
}

QVariant myQQuickView::deleteMacroIni(QVariant name)
{
    return macros.deleteMacroIni(name.toString());
}

QVariantList myQQuickView::getNameList(QVariant type)
{
    return names.getNameList(type.toUInt());
}

QVariant myQQuickView::saveMacroIni(QVariant name, QStringList macroList, QVariant repeat)
{
    return macros.saveMacroIni(name.toString(), macroList, repeat);
}

QStringList myQQuickView::loadMacroIni(QVariant name)
{
    return macros.loadMacroIni(name.toString());
}

void myQQuickView::mouseSaveGundata(QVariant index, QVariantList src6)
{
    guns.mouseSaveGundata(index.toString(), src6);
}

QVariant myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6)
{
    return guns.modifyGundata(modifyType.toInt(), src6);
}

QVariantList myQQuickView::getGunData(QVariant name)
{
    return guns.getGunData(name.toString());
}

QStringList myQQuickView::getGunDataKey()
{
    return guns.getGunDataKey();
}

QVariant myQQuickView::getXYSensitive(QVariant index)
{
    return guns.getXYSensitive(index.toString());
}

QVariant myQQuickView::getselectGun(QVariant index)
{
    return guns.getselectGun(index.toString());
}

void myQQuickView::setXYSensitive(QVariant index, QVariant xyData)
{
    guns.setXYSensitive(index.toString(), xyData);
}

void myQQuickView::setSelectGun(QVariant index, QVariant xyData)
{
    guns.setSelectGun(index.toString(), xyData);
}

QVariant myQQuickView::getData(QVariant key, bool isRecovery)
{
    return profiles.getData(key.toString(), isRecovery);
}

QVariant myQQuickView::getGlobalData(QVariant key)
{
    return config.getGlobalData(key.toString());
}

QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery)
{
    return profiles.getDataList(key.toString(), isRecovery);
}

void myQQuickView::setData(QVariant key, QVariant data)
{
    profiles.setData(key.toString(), data);
}

void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata)
{
    config.setGlobalData(key.toString(), tmpdata);
}

void myQQuickView::setDataList(QVariant key, QVariantList datalist)
{
    profiles.setDataList(key.toString(), datalist);
}

QVariantList myQQuickView::getLanguages()
{
    QVariantList out;
    for (const QString &code : languages.languageCodes())
        out << QVariantMap{{QStringLiteral("code"), code},
                           {QStringLiteral("name"), languages.ownName(code)}};
    return out;
}

QString myQQuickView::getVersion()
{
    return QStringLiteral(TALON_VERSION);
}
