#pragma once

#include <string>

#include "ControlInterfaces.h"

// Factories of the engine's model objects, each handed over with a count of 1.
namespace pdfc {

IPdfInstance* makeInstance();
IDispatch* makeEventObject(const std::wstring& name);

// The event object of a pending save: position 14 with 0 while the handler runs stops the save.
class SaveEventObject;
SaveEventObject* makeSaveEvent();
IDispatch* asDispatch(SaveEventObject* event);
// Ends the handler's window: later calls of position 14 change nothing. True when the save was stopped.
bool finishSaveEvent(SaveEventObject* event);
void releaseSaveEvent(SaveEventObject* event);

}  // namespace pdfc
