#pragma once
// vnmachine certs: the machine's system certificate stores ("MY", "ROOT", ...). Lists a store's
// certificates, imports a PEM or DER file with an optional friendly name, removes one by its
// thumbprint, empties a store, and makes a store fail to open; `vnmachine certs help` lists the
// commands. Exit status 1 when the command fails, 2 on a usage error.

#include "tools/vnmachine/Command.h"

// The words after "certs".
int RunCertsCommand(const Words& args);
