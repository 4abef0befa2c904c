// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"

#include <string>

// The picture writer lives in a module of its own (quillform-pictures.so),
// loaded only when a PNG or SVG is asked for: it needs Qt, whose libraries
// would otherwise be loaded and relocated on every run of the command.
struct TPictureRequest {
    bool svg = false; // else PNG
    int width = 800;  // the view the shapes are fitted into, in pixels
    int height = 600;
    bool showIndex = true;
    std::string title; // an SVG's title
};

enum TPictureOutcome : int {
    kPictureDrawn = 0,
    kPictureImpossible = 1, // the drawing's extent cannot be fitted into the view
    kPictureTooLarge = 2,   // Qt could not create the image or the SVG
};

// Draws the drawing as the window's Drawing page does into *bytes; on
// kPictureImpossible, *message says why.
using TDrawPicture = int (*)(const quillform::Drawing& drawing, const TPictureRequest& request,
                             std::string* bytes, std::string* message);
inline constexpr const char* kDrawPictureSymbol = "quillform_draw_picture";
inline constexpr const char* kPictureModuleName = "quillform-pictures.so";
