#pragma once

// Everything the program uses of the UI library.
#include <soui/IObjRef.h>
#include <soui/IRealWndHandler.h>
#include <soui/IRender.h>
#include <soui/IResProvider.h>
#include <soui/SApplication.h>
#include <soui/SControls.h>
#include <soui/SEvents.h>
#include <soui/SHostDialog.h>
#include <soui/SHostWnd.h>
#include <soui/SMenu.h>
#include <soui/SObjectFactory.h>
#include <soui/SResProviderMgr.h>
#include <soui/SStrCpCvt.h>
#include <soui/SString.h>
#include <soui/SUiDef.h>
#include <soui/TNamedValue.h>
