// SPDX-License-Identifier: GPL-2.0-or-later
#include "SceneResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be called from the global namespace.
static void initSceneResources()
{
    Q_INIT_RESOURCE(qml);
    Q_INIT_RESOURCE(pictures);
}

void registerSceneResources()
{
    initSceneResources();
}
