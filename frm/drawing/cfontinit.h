// cfontinit.h: the font registry's counted initialiser. The first one alive creates the
// registry, the last one to go deletes it. Every module that includes this header holds one,
// built before its own statics and destroyed after them, so the registry outlives every font
// a module keeps in static storage.
#pragma once

class CFontRegistryInit {
public:
    CFontRegistryInit();
    ~CFontRegistryInit();
    CFontRegistryInit(const CFontRegistryInit&) : CFontRegistryInit() {}
    CFontRegistryInit& operator=(const CFontRegistryInit&) = default; // changes no count
};

static CFontRegistryInit frmFontRegistryInit; // NOLINT: one per module, by design
