// collect_internal.h: shared inside the library only.
#pragma once

class RWFactory;

// Registers the library's own collectable classes; called once by the factory.
void rwRegisterLibraryClasses(RWFactory& factory);
