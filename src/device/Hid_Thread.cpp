// SPDX-License-Identifier: GPL-2.0-or-later
#include "Hid_Thread.h"

#include "Cipher.h"
#include "DeviceLock.h"
#include "HidAccess.h"
#include "Pacing.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <algorithm>
#include <cstring>
#include <memory>

// The largest block is 128 bytes and a report carries at most that many of
// them, so the last report of a transfer reads below 2 * 128.
static_assert(Hid_Thread::kDataBlockCapacity >= 2 * command::kBlockLength,
              "a transfer's last report may read a whole chunk past the block");

namespace {
// Reply byte 1 (the first value after the echoed code) in the feature report.
constexpr std::size_t kFirstReplyValue = 2;
} // namespace

Hid_Thread::Hid_Thread() = default;

Hid_Thread::~Hid_Thread()
{
    stopListener();
    waitForListener();
    closeCommandInterface();
    closeEventInterface();
    locks.clear();
}

void Hid_Thread::setModel(const QString &icType, bool gunModel)
{
    icTypeText = icType;
    isGun = gunModel;
}

uchar Hid_Thread::hidCS(uchar *cmd)
{
    return frame::checksum(cmd);
}

void Hid_Thread::USBDataEncryption(uchar FIFOBuf[], uchar SecrecyCode[])
{
    cipher::encipher(FIFOBuf, SecrecyCode);
}

void Hid_Thread::USBDataDecipher(uchar FIFOBuf[], uchar SecrecyCode[])
{
    cipher::decipher(FIFOBuf, SecrecyCode);
}

DeviceEntry *Hid_Thread::entryAt(int index)
{
    if (index < 0 || index >= deviceList.size())
        return nullptr;
    return &deviceList[index];
}

bool Hid_Thread::currentEntryEnciphers()
{
    const DeviceEntry *e = entryAt(deviceIndex);
    return e && e->isEncode;
}

void Hid_Thread::setIdle(bool idle)
{
    const bool was = busy();
    hidIdle = idle;
    busyMayHaveChanged(was);
}

void Hid_Thread::hold(int step)
{
    const bool was = busy();
    holds = std::max(0, holds + step);
    busyMayHaveChanged(was);
}

void Hid_Thread::busyMayHaveChanged(bool was)
{
    if (busy() == was)
        return;
    if (!busy())
        locks.clear(); // the piece of work is over: others may have the mouse
    emit busyChanged(busy());
}

bool Hid_Thread::lockDevice()
{
    const DeviceEntry *e = entryAt(deviceIndex);
    if (!locksDevice || !e || e->commandPath.isEmpty())
        return true; // nothing opens: the exchange fails by itself
    for (const auto &held : locks)
        if (held->commandPath() == e->commandPath)
            return true;
    auto lock = std::make_unique<DeviceLock>(e->commandPath);
    // The token is ours meanwhile: what the events start waits for it.
    if (!lock->acquire(DeviceLock::kWaitMs, [] {
            if (QCoreApplication::instance())
                QCoreApplication::processEvents(QEventLoop::AllEvents);
        })) {
        if (exchanges.inUse.isEmpty())
            exchanges.inUse = lock->errorString();
        qWarning("%s", qPrintable(lock->errorString()));
        emit deviceInUse(lock->errorString());
        return false;
    }
    locks.push_back(std::move(lock));
    return true;
}

bool Hid_Thread::beginExchange()
{
    if (busy())
        return false;
    hold(+1);
    return true;
}

void Hid_Thread::endExchange()
{
    hold(-1);
}

bool Hid_Thread::waitIdle()
{
    for (int attempt = 0; attempt < pacing::kIdleAttempts; ++attempt) {
        if (hidIdle) {
            setIdle(false);
            return true;
        }
        pacing::protocolSleep(pacing::kIdleRetryMs);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return false;
}

void Hid_Thread::pause128()
{
    pauseToken = false;
    pacing::protocolSleep(pacing::kHalfPauseMs);
    if (!pauseToken) {
        pauseToken = true;
        pacing::protocolSleep(pacing::kHalfPauseMs);
    }
}

hid_device *Hid_Thread::openCommandInterface(int index)
{
    DeviceEntry *e = entryAt(index);
    if (!e || e->commandPath.isEmpty())
        return nullptr;
    closeCommandInterface();
    commandHandle = hidAccess::openPath(e->commandPath.toLatin1().constData());
    if (!commandHandle)
        e->commandPath.clear(); // not tried again until the table is rebuilt
    else
        hid_set_nonblocking(commandHandle, 0);
    return commandHandle;
}

void Hid_Thread::closeCommandInterface()
{
    if (commandHandle) {
        hid_close(commandHandle);
        commandHandle = nullptr;
    }
}

void Hid_Thread::closeEventInterface()
{
    if (eventHandle) {
        hid_close(eventHandle);
        eventHandle = nullptr;
    }
}

// The mouse drops its handle after each transfer, so every step of an
// exchange opens the interface afresh.
hid_device *Hid_Thread::reopenCommandInterface()
{
    return openCommandInterface(deviceIndex);
}

bool Hid_Thread::failExchange()
{
    closeCommandInterface();
    setIdle(true);
    return false;
}

bool Hid_Thread::blockFits(int dataLength)
{
    if (dataLength == 0)
        return true;
    const DeviceEntry *e = entryAt(deviceIndex);
    return e && e->reportLength >= 1 && dataLength > 0 && dataLength <= command::kBlockLength;
}

bool Hid_Thread::sendCommand(int dataLength, bool withPause)
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);

    // A frame that announces a block which can never follow would leave the
    // mouse waiting for it.
    if (!blockFits(dataLength) || !reopenCommandInterface())
        return failExchange();
    if (currentEntryEnciphers())
        cipher::encipher(cmdReport + 1, cipher::secrecyCode);

    if (!reopenCommandInterface() ||
        hid_send_feature_report(commandHandle, cmdReport, frame::kReportLength) < 0)
        return failExchange();

    if (withPause)
        pause128();

    if (dataLength > 0) {
        const int reportLength = entryAt(deviceIndex)->reportLength;
        const int chunk = std::min(dataLength, reportLength);
        auto report = std::make_unique<uchar[]>(static_cast<std::size_t>(reportLength) + 1);

        for (int offset = 0; offset < dataLength; offset += chunk) {
            report[0] = frame::kReportId;
            std::memcpy(report.get() + 1, dataBlock + offset, static_cast<std::size_t>(chunk));
            if (!reopenCommandInterface() ||
                hid_write(commandHandle, report.get(), static_cast<std::size_t>(reportLength) + 1) <
                    0)
                return failExchange();
            pacing::protocolSleep(pacing::kAfterDataReportMs);
        }
        if (withPause)
            pause128();
    }

    closeCommandInterface();
    setIdle(true);
    return true;
}

bool Hid_Thread::queryCommand(int dataLength)
{
    if (!blockFits(dataLength) || !reopenCommandInterface())
        return failExchange();
    if (currentEntryEnciphers())
        cipher::encipher(cmdReport + 1, cipher::secrecyCode);

    // The reply lands in replyReport only when it is whole: a reply cut short
    // is no answer, and the preset values must survive it.
    uchar reply[frame::kReportLength] = {frame::kReportId};
    if (!reopenCommandInterface() ||
        hid_send_feature_report(commandHandle, cmdReport, frame::kReportLength) < 0 ||
        !reopenCommandInterface() ||
        hid_get_feature_report(commandHandle, reply, frame::kReportLength) <
            int(frame::kReportLength))
        return failExchange();
    std::copy(reply + 1, reply + frame::kReportLength, replyReport + 1);

    if (dataLength == 0) {
        closeCommandInterface();
        setIdle(true);
        if (currentEntryEnciphers())
            cipher::decipher(replyReport + 1, cipher::secrecyCode);
        return true;
    }

    const int reportLength = entryAt(deviceIndex)->reportLength;
    const int chunk = std::min(dataLength, reportLength);
    const auto bufferLength = static_cast<std::size_t>(reportLength) + 1;
    auto report = std::make_unique<uchar[]>(bufferLength);

    for (int offset = 0; offset < dataLength; offset += chunk) {
        std::memset(report.get(), 0, bufferLength);
        if (!reopenCommandInterface())
            return failExchange();
        // A time-out or a report shorter than the chunk is a failed exchange:
        // a silent mouse must not hang the caller, and zero padding must not
        // pass for profile bytes.
        const int got =
            hid_read_timeout(commandHandle, report.get(), bufferLength, kDataReadTimeoutMs);
        if (got < chunk)
            return failExchange();
        std::memcpy(dataBlock + offset, report.get(), static_cast<std::size_t>(chunk));
    }

    closeCommandInterface();
    setIdle(true);
    return true;
}

bool Hid_Thread::chkDeviceIsEnCode(int index)
{
    deviceIndex = index;

    // An all-zero challenge would match the zeroed reply of a failed exchange.
    uchar challenge[4] = {};
    while (std::all_of(challenge, challenge + 4, [](uchar b) { return b == 0; })) {
        for (uchar &b : challenge)
            b = static_cast<uchar>(QRandomGenerator::global()->generate() & 0xFFu);
    }

    if (const DeviceEntry *e = entryAt(index); e && e->sCode.size() == int(cipher::kSecretLength)) {
        const QByteArray code = e->sCode.toLatin1();
        for (std::size_t i = 0; i < cipher::kSecretLength; ++i)
            cipher::secrecyCode[i + 1] = static_cast<uchar>(code[int(i)]);
    }

    uchar answer[4] = {challenge[0], challenge[1], challenge[2], challenge[3]};
    const bool exchanged = query(command::row(command::C553::GetSecrecyCode),
                                 {answer[0], answer[1], answer[2], answer[3]},
                                 {&answer[0], &answer[1], &answer[2], &answer[3]}, true);
    // A dropped command leaves the challenge in place: that is no answer.
    return exchanged && std::equal(answer, answer + 4, challenge);
}

bool Hid_Thread::takeToken(const command::Row &row)
{
    if (waitIdle()) {
        if (lockDevice())
            return true;
        setIdle(true);
    }
    qDebug("%s", row.failureLine);
    noteExchange(row, false);
    return false;
}

void Hid_Thread::noteExchange(const command::Row &row, bool ok)
{
    ++exchanges.exchanges;
    exchanges.lastOk = ok;
    if (ok)
        return;
    if (exchanges.failures++ == 0)
        exchanges.firstFailure = QString::fromLatin1(row.slot);
}

void Hid_Thread::loadFrame(const command::Row &row, std::initializer_list<uchar> arguments)
{
    const frame::Frame f = command::build(row, arguments);
    cmdReport[0] = frame::kReportId;
    std::copy(f.begin(), f.end(), cmdReport + 1);
}

void Hid_Thread::sendSetting(const command::Row &row, std::initializer_list<uchar> arguments,
                             const uchar *data, int dataLength)
{
    if (!takeToken(row))
        return;
    loadFrame(row, arguments);
    if (data && dataLength > 0)
        std::memcpy(dataBlock, data, static_cast<std::size_t>(dataLength));
    noteExchange(row, sendCommand(dataLength, row.exchange == command::Exchange::Paced));
    if (const int ms = command::sleepAfterMs(row))
        pacing::protocolSleep(ms);
}

// The token is taken once for the whole loop; each exchange frees it again.
void Hid_Thread::sendPerBoardProfile(const command::Row &row, uchar value)
{
    // Between the profiles the token is free while the next command lets
    // events in: nothing may slip in there.
    const Hold held(*this);
    if (!takeToken(row))
        return;
    bool ok = true;
    for (uchar p = command::kFirstBoardProfile; p <= command::kLastBoardProfile; ++p) {
        loadFrame(row, {p, value});
        ok = sendCommand(0, row.exchange == command::Exchange::Paced) && ok;
        if (isGun)
            break; // a gun mouse keeps the user's settings in profile 1 only
    }
    noteExchange(row, ok);
}

bool Hid_Thread::query(const command::Row &row, std::initializer_list<uchar> arguments,
                       std::initializer_list<uchar *> replies, bool zeroReply)
{
    if (!takeToken(row))
        return false;
    loadFrame(row, arguments);

    // Preset so that a failed exchange hands the caller's values back.
    std::fill(std::begin(replyReport), std::end(replyReport), uchar(0));
    std::size_t i = kFirstReplyValue;
    if (!zeroReply) {
        for (uchar *r : replies)
            replyReport[i++] = *r;
    }

    const bool ok = queryCommand(0);
    i = kFirstReplyValue;
    for (uchar *r : replies)
        *r = replyReport[i++];
    noteExchange(row, ok);
    return ok;
}
