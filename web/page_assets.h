// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The page, built into the program from page/ (nothing is fetched from elsewhere).
extern const char kPageHtml[];
extern const char kPageScript[];
extern const char kPageStyle[];
