#pragma once
// TessarynAp's adapter discovery: the shared selection (adapter/discovery) taken into the
// adapter state, with nothing handed on; the chip type gives only the 802.11n flags.

// 1 when an adapter was selected and the adapter state set, 0 otherwise. Several adapters run
// the selection dialog: the caller marks itself busy around the call.
int DiscoverAdapter();
