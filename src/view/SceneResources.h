// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The scene (QML files and pictures) is compiled into a static library, whose
// resources must be registered by hand before the first qrc: URL is used.
void registerSceneResources();
