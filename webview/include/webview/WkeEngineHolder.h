#pragma once

// Loads the web engine for as long as it lives: loadWebEngine at construction, wkeShutdown at
// destruction. (The program itself loads and shuts the engine down in its entry point.)
class CWkeEngineHolder {
  public:
    CWkeEngineHolder();
    ~CWkeEngineHolder();
    CWkeEngineHolder(const CWkeEngineHolder&) = delete;
    CWkeEngineHolder& operator=(const CWkeEngineHolder&) = delete;
};
