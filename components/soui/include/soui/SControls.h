#pragma once

// The library's built-in element kinds.
#include <soui/SButton.h>
#include <soui/SCaption.h>
#include <soui/SImageWnd.h>
#include <soui/SLink.h>
#include <soui/SRealWnd.h>
#include <soui/SStatic.h>
