#pragma once

#include "framework/Exceptions.h"

// A mistake in the skin's sources (manifest, object descriptions, bitmaps), with where it is.
class ESkinSourceError : public Exception { public: using Exception::Exception; };
