// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A device link on a virtual mouse of either family with the feature classes
// over a private copy of the data tree, as the view wires them.
#include "LinkFixture.h"
#include "StoreFixture.h"
#include "features/BoardProfiles.h"
#include "features/ButtonAssignment.h"
#include "features/DeviceFamily.h"
#include "features/DeviceSettings.h"
#include "store/ProfileStore.h"

#include <memory>

struct FeatureRig
{
    explicit FeatureRig(sim::Family family, ModelFlags flags = {}, int reportLength = 64)
        : board(link), profiles(modules.root())
    {
        fixture::resetBus();
        flags.icType = family == sim::Family::F560 ? QStringLiteral("560") : QStringLiteral("553");
        link.setModel(flags.icType, flags.isGun);
        device = fixture::attach(link, fixture::mouse(family, reportLength));
        this->family = DeviceFamily::create(link, board, flags);
        buttons = std::make_unique<ButtonAssignment>(*this->family, profiles);
        settings = std::make_unique<DeviceSettings>(*this->family);
    }

    sim::MouseState &mouse() { return fixture::bus().state(device); }

    // The frames the mouse took, as "0c 01 80 ..." without the checksum.
    QStringList frames() const
    {
        QStringList out;
        for (const sim::Frame8 &f : fixture::bus().frames())
            out << QString::fromLatin1(
                QByteArray(reinterpret_cast<const char *>(f.data()), 7).toHex(' '));
        return out;
    }

    static QByteArray bytes(const std::array<unsigned char, 64> &a)
    {
        return QByteArray(reinterpret_cast<const char *>(a.data()), 64);
    }
    static QByteArray bytes(const std::array<unsigned char, 128> &a)
    {
        return QByteArray(reinterpret_cast<const char *>(a.data()), 128);
    }

    ModulesCopy modules;
    Hid_Thread link;
    BoardProfiles board;
    ProfileStore profiles;
    int device = -1;
    std::unique_ptr<DeviceFamily> family;
    std::unique_ptr<ButtonAssignment> buttons;
    std::unique_ptr<DeviceSettings> settings;
};

inline QVariantList ints(std::initializer_list<int> values)
{
    QVariantList l;
    for (int v : values)
        l << v;
    return l;
}
