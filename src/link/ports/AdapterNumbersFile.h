#pragma once
// The Com numbers the automatic numbering gave adapters on this machine,
// kept in the per-user folder so that an adapter is the same Com n tomorrow:
//
//     [adapters]
//     Com3=by-id:usb-FTDI_FT232R_USB_UART_A10K3X-if00-port0
//     Com4=serial:A10K3X
#include "files/ProgramFolder.h"
#include "files/TextFile.h"
#include "link/ports/PortNumbering.h"

namespace pb {

// The remembered numbers; none when the file is missing or unreadable.
AdapterNumbers ReadAdapterNumbers(const QString& path);

// Replaces the file's entries with these.
WriteOutcome WriteAdapterNumbers(const QString& path, const AdapterNumbers& numbers);

// The numbers remembered in the folder's file, with those the automatic
// numbering gives new adapters among the present ones added and saved.
AdapterNumbers RememberAdapterNumbers(const ProgramFolder& folder, const QList<PortDescription>& present);

} // namespace pb
