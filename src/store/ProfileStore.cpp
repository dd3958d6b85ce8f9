// SPDX-License-Identifier: GPL-2.0-or-later
#include "ProfileStore.h"

#include "SettingsList.h"
#include "StoreFile.h"

namespace {
QString profileFile(int profile)
{
    return QStringLiteral("setting/p%1.bin").arg(profile + 1);
}
const QString kDefaultFile = QStringLiteral("setting/pD.bin");
} // namespace

ProfileStore::ProfileStore(const QString &modulesRoot) : ProfileStore(modulesRoot, true) {}

ProfileStore::ProfileStore(const QString &modulesRoot, bool open) : root(modulesRoot)
{
    defaultProfile = std::make_unique<IniFile>(root, kDefaultFile);
    if (!open)
        return;
    for (int p = 0; p < kProfileCount; ++p) {
        profiles[std::size_t(p)] = std::make_unique<IniFile>(root, profileFile(p));
        profiles[std::size_t(p)]->writeBehind();
    }
}

std::unique_ptr<ProfileStore> ProfileStore::withChosenProfile(const QString &modulesRoot,
                                                              const QString &file)
{
    std::unique_ptr<ProfileStore> store(new ProfileStore(modulesRoot, false));
    store->profiles[0] = IniFile::chosen(file);
    return store;
}

QString ProfileStore::profilePath(int profile) const
{
    return root + QLatin1Char('/') + profileFile(profile);
}

QString ProfileStore::defaultPath() const
{
    return root + QLatin1Char('/') + kDefaultFile;
}

IniFile *ProfileStore::profile(int p) const
{
    return isValidProfile(p) ? profiles[std::size_t(p)].get() : nullptr;
}

QVariant ProfileStore::getData(const QString &key, bool isRecovery) const
{
    const IniFile *s = isRecovery ? defaults() : current();
    return s ? s->value(key) : QVariant();
}

QVariantList ProfileStore::getDataList(const QString &key, bool isRecovery) const
{
    return settingsList(getData(key, isRecovery));
}

void ProfileStore::setData(const QString &key, const QVariant &data)
{
    if (IniFile *s = current())
        s->setValue(key, data);
}

void ProfileStore::setDataList(const QString &key, const QVariantList &datalist)
{
    if (IniFile *s = current())
        s->setValue(key, datalist);
}

bool ProfileStore::fail(const QString &message, bool tell)
{
    lastError = message;
    if (tell)
        storeFile::reportFailure(message);
    return false;
}

bool ProfileStore::replaceFrom(int p, const QByteArray &content)
{
    IniFile *slot = profile(p);
    if (!slot)
        return fail(QStringLiteral("no profile %1").arg(p + 1), false);
    // The file is replaced whole: its unsaved changes go with the old file
    // (and stay, should the replacement fail).
    if (!slot->replace(content))
        return fail(slot->error(), false); // told by the write
    lastError.clear();
    return true;
}

bool ProfileStore::resetProfile(int p)
{
    const storeFile::Read r = storeFile::read(root, kDefaultFile);
    if (!r.ok())
        return fail(r.message.isEmpty() ? defaultPath() + QStringLiteral(": missing") : r.message,
                    true);
    return replaceFrom(p, r.content);
}

bool ProfileStore::copyProfile(int destprofile, int srcprofile)
{
    IniFile *source = profile(srcprofile);
    if (!source || destprofile == srcprofile || !isValidProfile(destprofile))
        return fail(QStringLiteral("no such pair of profiles"), false);
    if (!source->sync())
        return fail(source->error(), false);
    const storeFile::Read r = storeFile::read(root, profileFile(srcprofile));
    if (!r.ok())
        return fail(r.message.isEmpty() ? profilePath(srcprofile) + QStringLiteral(": missing")
                                        : r.message,
                    true);
    return replaceFrom(destprofile, r.content);
}

bool ProfileStore::importProfile(int p, const QString &sourceFile)
{
    if (!isValidProfile(p))
        return fail(QStringLiteral("no profile %1").arg(p + 1), false);
    const storeFile::Read r = storeFile::readChosen(sourceFile);
    if (!r.ok())
        return fail(r.message, true);
    return replaceFrom(p, r.content);
}

bool ProfileStore::exportProfile(int p, const QString &destinationFile)
{
    IniFile *slot = profile(p);
    if (!slot)
        return fail(QStringLiteral("no profile %1").arg(p + 1), false);
    if (!slot->sync())
        return fail(slot->error(), false);
    const storeFile::Read r = storeFile::read(root, profileFile(p));
    if (!r.ok())
        return fail(r.message.isEmpty() ? profilePath(p) + QStringLiteral(": missing") : r.message,
                    true);
    const storeFile::Status s = storeFile::writeChosen(destinationFile, r.content);
    if (!s)
        return fail(s.message, false);
    lastError.clear();
    return true;
}

bool ProfileStore::sync()
{
    bool ok = true;
    for (auto &p : profiles) {
        if (p && !p->sync()) {
            lastError = p->error();
            ok = false;
        }
    }
    return ok;
}
