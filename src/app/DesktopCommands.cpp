// SPDX-License-Identifier: GPL-2.0-or-later
#include "DesktopCommands.h"

#include "Widget.h"
#include "view/myQQuickView.h"

#include <QFileInfo>
#include <QQmlProperty>
#include <QQuickItem>
#include <QSettings>
#include <algorithm>

namespace {

constexpr int kStages = 8;

// A root function of the scene that answers; false when it refused or is missing.
template <typename... Args> bool askScene(QObject *root, const char *function, const Args &...args)
{
    QVariant answer;
    return root &&
           QMetaObject::invokeMethod(root, function, Qt::DirectConnection,
                                     Q_RETURN_ARG(QVariant, answer),
                                     Q_ARG(QVariant, QVariant(args))...) &&
           answer.toBool();
}

DesktopCommands::Outcome failed(DesktopCommands::Error error, const QString &message)
{
    return {error, message};
}

} // namespace

DesktopCommands::DesktopCommands(Widget &host) : QObject(&host), host(host)
{
    connect(&host, &Widget::connectionChanged, this, &DesktopCommands::connectedChanged);
    connect(host.view(), &myQQuickView::currentProfileSet, this, [this](int) {
        if (profile() != shownProfile)
            emit profileChanged(shownProfile = profile());
    });
    shownProfile = profile();
    watchScene();
}

void DesktopCommands::watchScene()
{
    QObject *root = host.view()->rootObject();
    if (!root)
        return;
    shownStage = dpiStage();
    shownRate = reportRate();
    QQmlProperty(root, QStringLiteral("currentDPI"))
        .connectNotifySignal(this, SLOT(sceneStageChanged()));
    QQmlProperty(root, QStringLiteral("reportRateIndex"))
        .connectNotifySignal(this, SLOT(sceneRateChanged()));
}

void DesktopCommands::sceneStageChanged()
{
    if (dpiStage() != shownStage)
        emit dpiStageChanged(shownStage = dpiStage());
}

void DesktopCommands::sceneRateChanged()
{
    if (reportRate() != shownRate)
        emit reportRateChanged(shownRate = reportRate());
}

bool DesktopCommands::connected() const
{
    return host.mouseConnected();
}

QString DesktopCommands::family() const
{
    return host.deviceLink().is560() ? QStringLiteral("560") : QStringLiteral("553");
}

QString DesktopCommands::model() const
{
    return host.view()->getGlobalData(QStringLiteral("common/name")).toString();
}

int DesktopCommands::profile() const
{
    return host.view()->profileStore().currentProfile + 1;
}

int DesktopCommands::dpiStage() const
{
    const QVariant shown =
        host.view()->rootObject() ? host.view()->rootObject()->property("currentDPI") : QVariant();
    return shown.isValid() && shown.toInt() >= 0 ? shown.toInt() + 1 : 0;
}

int DesktopCommands::reportRate() const
{
    QVariant index = host.view()->rootObject()
                         ? host.view()->rootObject()->property("reportRateIndex")
                         : QVariant();
    if (!index.isValid())
        index = host.view()->getData(QStringLiteral("mouse/reportRate"), false);
    const int i = index.toInt();
    // The screen shows any other index as 1000 Hz, and that is what it sends.
    return i >= 0 && i < 3 ? kReportRates[i] : kReportRates[3];
}

DesktopCommands::Outcome DesktopCommands::sent(const std::function<bool()> &work)
{
    Hid_Thread &link = host.deviceLink();
    link.resetExchangeRecord();
    const bool taken = work();
    const Hid_Thread::ExchangeRecord &record = link.exchangeRecord();
    if (!record.inUse.isEmpty())
        return failed(Error::Busy, record.inUse);
    if (record.failures > 0)
        return failed(Error::NoAnswer, QStringLiteral("the mouse did not take %1 (%2 of %3 "
                                                      "commands failed)")
                                           .arg(record.firstFailure)
                                           .arg(record.failures)
                                           .arg(record.exchanges));
    if (!taken)
        return failed(Error::Busy, QStringLiteral("the screens did not take the change"));
    return {};
}

DesktopCommands::Outcome DesktopCommands::held() const
{
    if (!connected())
        return failed(Error::NotConnected, QStringLiteral("no mouse is connected"));
    const QString reason = host.view()->profileSwitchHeldReason();
    if (!reason.isEmpty())
        return failed(Error::Busy, QStringLiteral("the profile cannot change now: ") + reason);
    return {};
}

DesktopCommands::Outcome DesktopCommands::setProfile(int number)
{
    if (number < 1 || number > ProfileStore::kProfileCount)
        return failed(Error::InvalidValue, QStringLiteral("profile %1 is not 1 to %2")
                                               .arg(number)
                                               .arg(ProfileStore::kProfileCount));
    if (const Outcome hold = held(); !hold.ok())
        return hold;
    if (number == profile())
        return {};
    QObject *root = host.view()->rootObject();
    return sent([root, number] { return askScene(root, "changeProfile", number - 1); });
}

DesktopCommands::Outcome DesktopCommands::setDpiStage(int stage)
{
    if (stage < 1 || stage > kStages)
        return failed(Error::InvalidValue,
                      QStringLiteral("DPI stage %1 is not 1 to %2").arg(stage).arg(kStages));
    bool counted = false;
    int inUse =
        host.view()->getData(QStringLiteral("mouse/currentDpiCount"), false).toInt(&counted);
    if (!counted || inUse < 1 || inUse > kStages)
        inUse = kStages;
    if (stage > inUse)
        return failed(Error::InvalidValue,
                      QStringLiteral("DPI stage %1 is not in use: profile %2 has %3 stages")
                          .arg(stage)
                          .arg(profile())
                          .arg(inUse));
    if (!connected())
        return failed(Error::NotConnected, QStringLiteral("no mouse is connected"));
    if (host.deviceLink().busy())
        return failed(Error::Busy, QStringLiteral("the mouse is busy"));
    myQQuickView *view = host.view();
    const Outcome outcome = sent([view, stage] {
        view->mouseSetCurrentDPI(static_cast<uchar>(stage));
        return true;
    });
    if (outcome.ok())
        view->setCurrentDPI(stage); // as when the mouse's own button switches
    return outcome;
}

DesktopCommands::Outcome DesktopCommands::setReportRate(int hz)
{
    const int *rate = std::find(std::begin(kReportRates), std::end(kReportRates), hz);
    if (rate == std::end(kReportRates))
        return failed(Error::InvalidValue, QStringLiteral("%1 Hz is not a report rate of the "
                                                          "mouse: 125, 250, 500 or 1000")
                                               .arg(hz));
    if (!connected())
        return failed(Error::NotConnected, QStringLiteral("no mouse is connected"));
    if (host.deviceLink().busy())
        return failed(Error::Busy, QStringLiteral("the mouse is busy"));
    QObject *root = host.view()->rootObject();
    const int index = int(rate - std::begin(kReportRates));
    return sent([root, index] { return askScene(root, "chooseReportRate", index); });
}

DesktopCommands::Outcome DesktopCommands::applyProfileFile(const QString &path)
{
    const QFileInfo file(path);
    QString problem;
    if (!file.isAbsolute())
        problem = QStringLiteral("%1: give the file's absolute path");
    else if (!file.exists())
        problem = QStringLiteral("%1: no such file");
    else if (!file.isFile())
        problem = QStringLiteral("%1 is not a file");
    else if (!file.isReadable())
        problem = QStringLiteral("%1 cannot be read");
    else if (const QSettings pf(path, QSettings::IniFormat);
             pf.status() != QSettings::NoError ||
             !pf.childGroups().contains(QLatin1String("mouse")))
        problem = QStringLiteral("%1 is not a profile (.pf) file");
    if (!problem.isEmpty())
        return failed(Error::InvalidFile, problem.arg(path));
    if (const Outcome hold = held(); !hold.ok())
        return hold;

    ProfileStore &profiles = host.view()->profileStore();
    if (!profiles.importProfile(profiles.currentProfile, path))
        return failed(Error::InvalidFile,
                      QStringLiteral("%1 could not become profile %2").arg(path).arg(profile()));
    QObject *root = host.view()->rootObject();
    return sent([root] { return askScene(root, "reloadProfile"); });
}

DesktopCommands::Outcome DesktopCommands::show()
{
    if (!connected())
        return failed(Error::NotConnected,
                      QStringLiteral("no mouse is connected: the window opens once one is"));
    host.showWindow();
    return {};
}
