// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "features/BoardProfiles.h"
#include "features/ButtonAssignment.h"
#include "features/DeviceFamily.h"
#include "features/DeviceSettings.h"
#include "input/PointerSettings.h"
#include "store/AppConfigStore.h"
#include "store/AppProfileStore.h"
#include "store/GunDataStore.h"
#include "store/LanguageStore.h"
#include "store/MacroLibrary.h"
#include "store/NameListStore.h"
#include "store/ProfileStore.h"

#include <QQuickWidget>
#include <QSet>
#include <QStringList>
#include <QVariant>
#include <memory>

class Hid_Thread;

// The QML host view: the object QML reaches as `ui_View`. Its slots are thin:
// they convert QML's variants and forward to the stores and feature classes.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT

public:
    explicit myQQuickView(QWidget *parent, Hid_Thread &link,
                          const QString &modulesRoot = QStringLiteral("./modules"));
    ~myQQuickView() override;

    // Read once from the configuration; the device operations use these
    // copies for the whole run.
    bool isColorful = false;
    bool isGun = false;
    QString icType;
    bool is55328 = false;
    bool is571 = false;

    Hid_Thread *hid;

    // Calls into the QML root item from the input capture.
    void detectKeyboard(bool isDown, unsigned char usbCode);
    void detectMouse(bool isDown, unsigned char zarnCode, unsigned x, unsigned y);

    // Why no mouse is connected, shown in the scene: kind "denied" (with the
    // fix in `text`), "noMouse", or empty when all is well again.
    void showDeviceNotice(const QString &kind, const QString &text);

    // Whether keys typed anywhere reach the scene (set by the input wiring).
    void setGlobalCapture(bool available) { globalCapture = available; }
    // While on, keys and clicks that reach this window go to the hook
    // manager as captured ones (where global capture is impossible).
    void setWindowCapture(bool on) { windowCapture = on; }
    bool windowCaptureOn() const { return windowCapture; }

    ProfileStore &profileStore() { return profiles; }
    DeviceFamily &deviceFamily() { return *family; }
    BoardProfiles &boardProfiles() { return board; }
    AppConfigStore &configStore() { return config; }

    // What the profile panel shows of the following of the window in front.
    void setAppFollowStatus(bool available, const QString &lastForeignClass);
    // The scene holds automatic profile switches while it has unsaved changes
    // (a macro being recorded holds them too).
    void holdProfileSwitch(bool held);
    // Why a profile switch asked from outside the screens' own controls (the
    // tray, the window in front) has to wait now: the mouse is busy, or a
    // dialog is open or has unsent changes. Empty when it may happen at once.
    QString profileSwitchHeldReason() const;

public slots:
    void clearHidBusy();
    void initUI();
    void runUI();
    void resetApconfig();
    bool loadMacroFile(QVariant macroFileName);
    void saveMacroFile(QVariant macroFileName);
    bool loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);
    QStringList getLangStrings(QString typeStr, QString langCode);
    QVariant createMacroIni(QVariant name, QVariant macroIndex);
    QVariant updataNameList(QVariant type, QStringList nameList);
    QVariant modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname);
    void deleteMacroUpdateProfile(QVariant macroName);
    QVariant deleteMacroIni(QVariant name);
    QVariantList getNameList(QVariant type);
    QVariant saveMacroIni(QVariant name, QStringList macros, QVariant repeat);
    QVariant mouseSendMacroData(QVariantList macroData, QVariant macroIndex);
    QStringList loadMacroIni(QVariant name);
    void mouseSaveGundata(QVariant index, QVariantList src6);
    void mouseSendGundata(int slot, QVariantList values);
    QVariant modifyGundata(QVariant modifyType, QVariantList src6);
    QVariantList getGunData(QVariant name);
    QStringList getGunDataKey();
    QVariant getXYSensitive(QVariant index);
    QVariant getselectGun(QVariant index);
    void setXYSensitive(QVariant index, QVariant xyData);
    void setSelectGun(QVariant index, QVariant xyData);
    void setCurrentProfile(int profile);
    void mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void mouseSetReportRate(uchar rate);
    void mouseSetCurrentDPI(uchar currentDPI);
    void mouseResetKeyMatrix();
    QVariant mouseGetCurrentDPI();
    void mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam);
    void mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray);
    void mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
    void mouseSetRGBColor(uchar type, QVariantList src24);
    void mouseSetFixColor(QVariantList src3);
    void mouseSetProfile(uint profileNo);
    void mouseReadProfile(uint profileNo);
    QVariant mouseReadCurrentProfile();
    void mouseSwitchKeyMatrix(int indexNo);
    QVariantList GetKeyboardoption();
    void mouseSetCursorSpeed(uint cursorSpeed);
    void mouseSetVerticalScrollLines(uint lines);
    void mouseSetDoubleClickSpeed(uint speed);
    QVariantList mouseGetKeydefine(QVariant index, bool isRecovery);
    void openUpdateExe();
    QVariant getData(QVariant key, bool isRecovery);
    QVariant getGlobalData(QVariant key);
    QVariantList getDataList(QVariant key, bool isRecovery);
    void setData(QVariant key, QVariant data);
    void setGlobalData(QVariant key, QVariant tmpdata);
    void setDataList(QVariant key, QVariantList datalist);
    void setBusy(int busyTime);
    void setCurrentDPI(int dpiValue);
    // The macro screen's encoder: library entries ("type,info") and the
    // repeat count as the mouse's block, key names in the current language.
    QVariantList encodeMacroData(QStringList macroList, QVariant repeat);
    // A screen starts or stops waiting for keys (recording a macro, taking a
    // fire key, a combination, a key to insert), under a name of its own.
    // keyCaptureWanted follows whether any screen waits.
    void requestKeyCapture(QVariant requester, bool active);
    // True when keys typed anywhere on the desktop can be captured; false
    // where only keys typed into this window arrive (no X server).
    bool globalCaptureAvailable();
    // Whether the desktop takes the pointer speed, the double-click time and
    // the wheel lines (the system panel's steps 1, 2, 3): it offers the
    // setting and the last attempt to set it succeeded.
    QVariantList getPointerSettingsApplied();
    // Applications bound to profiles: class -> profile number, the binding of
    // a class (replacing one to another profile) and its removal; true when
    // stored.
    QVariantMap getAppProfiles();
    QVariant bindAppProfile(QVariant windowClass, QVariant profile);
    QVariant unbindAppProfile(QVariant windowClass);
    // The application that was in front before our window; empty if none.
    QString lastForeignApp();
    // False where the window in front cannot be followed (no X server, or a
    // window manager that does not publish the active window).
    bool appFollowAvailable();
    // The model's flags as the device operations read them ("isColorful",
    // "isGun", "is55328", "is571" and "icType"), so that the scene draws the
    // mouse the back end talks to.
    QVariantMap getModelFlags();
    // The languages there are files for, each as "code" (the file's name,
    // what "common/language" holds) and "name" (its name in itself).
    QVariantList getLanguages();
    // The program's version, as --version prints it.
    QString getVersion();

signals:
    void keyCaptureWanted(bool wanted);
    void currentProfileSet(int profile);
    void profileSwitchHeld(bool held);
    void appRulesChanged();
    // A change the stores could not write (the file was left as it was).
    void storeWriteFailed(const QString &message);

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString pickFile(bool save, const QString &filter);

    AppConfigStore config;
    ProfileStore profiles;
    NameListStore names;
    MacroLibrary macros;
    GunDataStore guns;
    LanguageStore languages;
    BoardProfiles board;
    std::unique_ptr<DeviceFamily> family;
    ButtonAssignment buttons;
    DeviceSettings settings;
    PointerSettings pointer;
    void releaseHiddenScene();
    // The scene takes input while the view is enabled and the link is idle.
    void applySceneEnabled();

    bool firstFramePainted = false;
    QSet<QString> captureRequests;
    bool globalCapture = false;
    bool windowCapture = false;
    AppProfileStore appRules;
    bool followAvailable = false;
    QString foreignApp;
    bool sceneHeld = false;
    bool switchHeld = false;
    void updateSwitchHeld();
};
