#pragma once

// ActiveX control containment: until it is enabled, CWnd::CreateControl creates nothing.
void AfxEnableControlContainer();
bool AfxControlContainerEnabled();
