// SPDX-License-Identifier: GPL-2.0-or-later
.pragma library
// Where each button of the mouse lies on the mouse pictures, in pixels of the
// 440 x 500 canvas that the views and their overlays share.
//   front[i], side[i]: { x, y, w, h } of button i on the view from above and
//   on the view from the left side; i: 0 left, 1 right, 2 wheel, 3 forward,
//   4 back, 5 DPI+, 6 DPI-, 7 fire.
// Each rectangle lies wholly on the button's highlighted shape, so they never
// overlap. Written by the pictures' drawing program from the shapes it draws.

var canvasWidth = 440
var canvasHeight = 500

var front = [
    { x: 140, y: 55, w: 67, h: 193 }, // left
    { x: 233, y: 76, w: 84, h: 168 }, // right
    { x: 210, y: 66, w: 20, h: 70 }, // wheel
    { x: 98, y: 244, w: 19, h: 38 }, // forward
    { x: 97, y: 300, w: 19, h: 38 }, // back
    { x: 212, y: 153, w: 16, h: 20 }, // DPI+
    { x: 212, y: 181, w: 16, h: 20 }, // DPI-
    { x: 121, y: 89, w: 16, h: 76 } // fire
]

var side = [
    { x: 225, y: 206, w: 37, h: 12 }, // left
    { x: 237, y: 187, w: 24, h: 7 }, // right
    { x: 81, y: 232, w: 22, h: 18 }, // wheel
    { x: 144, y: 259, w: 25, h: 8 }, // forward
    { x: 205, y: 238, w: 30, h: 8 }, // back
    { x: 134, y: 226, w: 16, h: 6 }, // DPI+
    { x: 161, y: 216, w: 14, h: 7 }, // DPI-
    { x: 88, y: 280, w: 15, h: 7 } // fire
]

// The button whose rectangle in `rects` (front or side) holds (x, y), or -1.
function buttonAt(rects, x, y) {
    for (var i = 0; i < rects.length; ++i) {
        var r = rects[i]
        if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h)
            return i
    }
    return -1
}
