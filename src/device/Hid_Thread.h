// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "CommandTable.h"
#include "DeviceEntry.h"
#include "DeviceEvents.h"

#include <QFuture>
#include <QList>
#include <QThread>
#include <atomic>
#include <hidapi/hidapi.h>
#include <memory>
#include <vector>

class DeviceLock;

// The device link: the one object that talks to the mouse. It derives from
// QThread for the object model only and is never started: every exchange runs
// synchronously on the caller's (GUI) thread, serialised by the idle token.
//
// Commands process GUI events while they wait, so a click, a key, a screen
// reader's press or a tray choice can arrive in the middle of one. `busy`
// says that the link is waiting: a command holds the token, or a piece of
// work made of several commands (a save, a profile switch, a macro transfer)
// holds the link between them. Whatever would start a send looks at it first.
//
// While busy the link also holds the lock on the mouse (DeviceLock), taken by
// the first command of the piece of work: another process that talks to the
// same mouse waits until the work is done, and so does this one.
class Hid_Thread : public QThread
{
    Q_OBJECT
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)

public:
    static constexpr int kDataBlockCapacity = 256;
    // A data read from the command interface that takes longer than this is a
    // failed exchange: a silent mouse must not hang the GUI thread.
    static constexpr int kDataReadTimeoutMs = 1000;

    Hid_Thread();
    ~Hid_Thread() override;

    // The outcome of the command slots. The slots return nothing, so a
    // caller that must know whether the mouse took what it was sent (the
    // command-line tool) reads this; the screens do not look at it.
    struct ExchangeRecord
    {
        int exchanges = 0;    // slot calls, each counted once
        int failures = 0;     // dropped for want of the token, or failed on the wire
        QString firstFailure; // slot name of the first failure
        bool lastOk = true;
        QString inUse; // another program kept the mouse: why the first failure happened
    };
    const ExchangeRecord &exchangeRecord() const { return exchanges; }
    void resetExchangeRecord() { exchanges = ExchangeRecord(); }

    // The command family comes from the configuration ("mouse/icType",
    // "mouse/isGun"); whoever builds the link sets it once.
    void setModel(const QString &icType, bool isGun);
    QString icType() const { return icTypeText; }
    bool is560() const { return icTypeText == QLatin1String("560"); }
    bool gun() const { return isGun; }

    bool busy() const { return holds > 0 || !hidIdle; }
    // Off in a tool that keeps out of other processes' way by itself.
    bool locksDevice = true;
    // Takes the link for work made of several commands; false, and nothing
    // taken, while it is busy. Each true answer is ended by endExchange().
    Q_INVOKABLE bool beginExchange();
    Q_INVOKABLE void endExchange();
    // Keeps the link busy for a scope whether or not it already was: the
    // steps of work that has been let in (a loop of commands inside a save).
    class Hold
    {
    public:
        explicit Hold(Hid_Thread &l) : link(l) { link.hold(+1); }
        ~Hold() { link.hold(-1); }
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;

    private:
        Hid_Thread &link;
    };

    bool waitIdle();
    // A new connection starts with the token free.
    void releaseToken() { setIdle(true); }
    bool sendCommand(int dataLength, bool withPause);
    bool queryCommand(int dataLength);
    hid_device *openCommandInterface(int index);
    void closeCommandInterface();
    void closeEventInterface();
    void pause128();

    // The event listener: one loop on the global thread pool reading the
    // event interface. startListener first ends a running loop and waits for
    // it, so two loops never run at once.
    void startListener(unsigned int index);
    // Sets the keyboard-option bits that make the mouse report stage switches.
    void enableStageReports();
    void stopListener();
    void listenLoop(unsigned int index);
    // Blocks until a loop that was asked to stop has returned.
    void waitForListener();
    static constexpr int kEventReadTimeoutMs = 500;

    DeviceEvents *owner = nullptr; // the host window
    QList<DeviceEntry> deviceList;
    int deviceIndex = 1;
    hid_device *commandHandle = nullptr;
    hid_device *eventHandle = nullptr;
    bool hidIdle = true;
    std::atomic_bool isListening{false};
    std::atomic_bool loopActive{false}; // a listener loop has not yet returned
    bool pauseToken = true;
    QFuture<void> listenerFuture;
    uchar cmdReport[frame::kReportLength] = {};
    uchar replyReport[frame::kReportLength] = {};
    uchar dataBlock[kDataBlockCapacity] = {};

signals:
    void busyChanged(bool busy);
    // Another program kept the mouse for longer than the lock's wait; the
    // command was not sent. The message names the program.
    void deviceInUse(const QString &message);

public slots:
    uchar hidCS(uchar *cmd);
    void USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[]);
    void USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[]);
    bool chkDeviceIsEnCode(int index);

    // 553 family
    void hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid553_8BH_GetCurrentDPI(uchar &byte1);
    void hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid553_01H_SetReportRate(uchar rate);
    void hid553_0BH_SetCurrentDPI(uchar stage);
    void hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne);
    void hid553_13H_SetMacroKey(uchar macroId, uchar *src128);
    void hid553_11H_SetDPISet(uchar dpiStage, uchar *src8);
    void hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix);
    void hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2);
    void hid553_0CH_SetFixLEDColor(uchar *src3);
    void hid553_10H_SetLED8StageColor(uchar type, uchar *src24);

    // 560 family
    void hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2);
    void hid560_82H_GetCurrentProfile(uchar &byte1);
    void hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2);
    void hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2);
    void hid560_03H_SetReportRate(uchar rate);
    void hid560_04H_SetCurrentDPI(uchar stage);
    void hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne);
    void hid560_0CH_setProfile(uchar *src128, uchar profileData);
    void hid560_8CH_readProfile(uchar *src128, uchar profileNo);
    void hid560_02H_SetCurrentProfile(uchar profile);
    void hid560_0FH_SetMacroKey(uchar macroId, uchar *src128);

private:
    void hold(int step);
    // Every change of the token goes through here, so that busyChanged tells.
    void setIdle(bool idle);
    void busyMayHaveChanged(bool was);
    // The lock on the current entry's interface, kept until the link is idle.
    bool lockDevice();
    DeviceEntry *entryAt(int index);
    bool currentEntryEnciphers();
    hid_device *reopenCommandInterface();
    bool failExchange();
    // Whether a data block of dataLength bytes can travel in this entry's
    // reports; checked before the frame announces it.
    bool blockFits(int dataLength);
    void noteExchange(const command::Row &row, bool ok);

    // The steps every command slot shares.
    bool takeToken(const command::Row &row);
    void loadFrame(const command::Row &row, std::initializer_list<uchar> arguments);
    void sendSetting(const command::Row &row, std::initializer_list<uchar> arguments,
                     const uchar *data = nullptr, int dataLength = 0);
    void sendPerBoardProfile(const command::Row &row, uchar value);
    bool query(const command::Row &row, std::initializer_list<uchar> arguments,
               std::initializer_list<uchar *> replies, bool zeroReply);

    QString icTypeText;
    bool isGun = false;
    int holds = 0;
    ExchangeRecord exchanges;
    std::vector<std::unique_ptr<DeviceLock>> locks;
};
