#pragma once

#include <string>

// The listing with every group of sibling lines above the lowest level put in byte order, so that
// a test can compare it with an expected text without knowing the file system's enumeration order.
// Lines at the lowest level (depth tabs) keep the order the walk gave them. A text that is not a
// well-formed listing comes back as a description of the first fault.
std::string CanonicalListing(const std::string& listing, int depth);

// "\r\n", tabs tab characters, then text: one line of a listing.
std::string ListingLine(int tabs, const std::string& text);
