#pragma once

// How the listing file stores its text: in the system's ANSI code page (the default, and what every
// older .cfg means), or as UTF-8 after a byte-order mark, which holds every name exactly.
enum TListingEncoding { leAnsi, leUtf8 };
