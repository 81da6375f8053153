#pragma once

// How a window appears when it is shown. kaRandom picks one of the other three each time.
enum TKsAnimation { kaNone, kaRandom, kaFade, kaSlide, kaRect };
