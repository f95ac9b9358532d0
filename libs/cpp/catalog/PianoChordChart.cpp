#include "ChordCharts.h"

namespace VADirur {

namespace {

const int X = -1;
const int openNotes[24] = {
    48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71};
// clang-format off
const int frets[132][24] = {
    {X, X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X}, // A: A3 C#4 E4
    {0, X, X, X, 0, X, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Am: C3 E3 A3
    {X, X, X, X, X, 0, X, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X}, // A aug: F3 A3 C#4
    {0, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // A dim: C3 D#3 F#3 A3
    {X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X}, // A6: F#3 A3 C#4 E4
    {X, X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, 0, X, X, X, X, X}, // Am6: A3 C4 E4 F#4
    {X, X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, X}, // A7: A3 C#4 E4 G4
    {X, X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X}, // Amaj7: A3 C#4 E4 G#4
    {X, X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X}, // Am7: A3 C4 E4 G4
    {X, X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, 0}, // A9: A3 C#4 E4 G4 B4
    {X, X, X, X, X, X, X, X, X, 0, X, X, X, X, 0, X, 0, X, X, X, X, X, X, X}, // Asus4: A3 D4 E4
    {X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X}, // Ab: G#3 C4 D#4
    {X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X}, // Abm: G#3 B3 D#4
    {0, X, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Ab aug: C3 E3 G#3
    {X, X, 0, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X}, // Ab dim: D3 F3 G#3 B3
    {X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X}, // Ab6: F3 G#3 C4 D#4
    {X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, 0, X, X, X, X, X, X}, // Abm6: G#3 B3 D#4 F4
    {0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, 0, X, X, X}, // Ab7: C3 D#3 F#3 G#4
    {X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X}, // Abmaj7: G#3 C4 D#4 G4
    {X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X}, // Abm7: G#3 B3 D#4 F#4
    {X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, 0, X}, // Ab9: G#3 C4 D#4 F#4 A#4
    {X, X, X, X, X, X, X, X, 0, X, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X}, // Absus4: G#3 C#4 D#4
    {X, X, X, X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X}, // B: B3 D#4 F#4
    {X, X, X, X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X}, // Bm: B3 D4 F#4
    {X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X}, // B aug: G3 B3 D#4
    {X, X, 0, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X}, // B dim: D3 F3 G#3 B3
    {X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X}, // B6: G#3 B3 D#4 F#4
    {X, X, X, X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, 0, X, X, X}, // Bm6: B3 D4 F#4 G#4
    {X, X, X, X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X}, // B7: B3 D#4 F#4 A4
    {X, X, X, X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, 0, X}, // Bmaj7: B3 D#4 F#4 A#4
    {X, X, X, X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X}, // Bm7: B3 D4 F#4 A4
    {X, 0, X, X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X}, // B9: C#3 B3 D#4 F#4 A4
    {X, X, X, X, X, X, X, X, X, X, X, 0, X, X, X, X, 0, X, 0, X, X, X, X, X}, // Bsus4: B3 E4 F#4
    {X, X, X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X}, // Bb: A#3 D4 F4
    {X, X, X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X}, // Bbm: A#3 C#4 F4
    {X, X, 0, X, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Bb aug: D3 F#3 A#3
    {X, X, X, X, 0, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X}, // Bb dim: E3 G3 A#3 C#4
    {X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X}, // Bb6: G3 A#3 D4 F4
    {X, X, X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, 0, X, X, X, X}, // Bbm6: A#3 C#4 F4 G4
    {X, X, X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X}, // Bb7: A#3 D4 F4 G#4
    {X, X, X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, 0, X, X}, // Bbmaj7: A#3 D4 F4 A4
    {X, X, X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X}, // Bbm7: A#3 C#4 F4 G#4
    {0, X, X, X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X}, // Bb9: C3 A#3 D4 F4 G#4
    {X, X, X, X, X, X, X, X, X, X, 0, X, X, X, X, 0, X, 0, X, X, X, X, X, X}, // Bbsus4: A#3 D#4 F4
    {0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // C: C3 E3 G3
    {0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Cm: C3 D#3 G3
    {0, X, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // C aug: C3 E3 G#3
    {0, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // C dim: C3 D#3 F#3 A3
    {X, X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X}, // C6: A3 C4 E4 G4
    {0, X, X, 0, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Cm6: C3 D#3 G3 A3
    {0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X}, // C7: C3 E3 G3 A#3
    {0, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X}, // Cmaj7: C3 E3 G3 B3
    {0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Cm7: C3 D#3 G3 A#3
    {0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X}, // C9: C3 E3 G3 A#3 D4
    {0, X, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Csus4: C3 F3 G3
    {X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // D: D3 F#3 A3
    {X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Dm: D3 F3 A3
    {X, X, 0, X, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X}, // D aug: D3 F#3 A#3
    {X, X, 0, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X}, // D dim: D3 F3 G#3 B3
    {X, X, X, X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X}, // D6: B3 D4 F#4 A4
    {X, X, 0, X, X, 0, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X, X, X, X}, // Dm6: D3 F3 A3 B3
    {X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X}, // D7: D3 F#3 A3 C4
    {X, X, 0, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X}, // Dmaj7: D3 F#3 A3 C#4
    {X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X}, // Dm7: D3 F3 A3 C4
    {X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X}, // D9: D3 F#3 A3 C4 E4
    {X, X, 0, X, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Dsus4: D3 G3 A3
    {X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Db: C#3 F3 G#3
    {X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Dbm: C#3 E3 G#3
    {X, X, X, X, X, 0, X, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X}, // Db aug: F3 A3 C#4
    {X, X, X, X, 0, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X}, // Db dim: E3 G3 A#3 C#4
    {X, X, X, X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X}, // Db6: A#3 C#4 F4 G#4
    {X, 0, X, X, 0, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Dbm6: C#3 E3 G#3 A#3
    {X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X}, // Db7: C#3 F3 G#3 B3
    {X, 0, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X}, // Dbmaj7: C#3 F3 G#3 C4
    {X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X}, // Dbm7: C#3 E3 G#3 B3
    {X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X}, // Db9: C#3 F3 G#3 B3 D#4
    {X, 0, X, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Dbsus4: C#3 F#3 G#3
    {X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X}, // E: E3 G#3 B3
    {X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X}, // Em: E3 G3 B3
    {0, X, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // E aug: C3 E3 G#3
    {X, X, X, X, 0, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X}, // E dim: E3 G3 A#3 C#4
    {X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X}, // E6: C#3 E3 G#3 B3
    {X, X, X, X, 0, X, X, 0, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X, X}, // Em6: E3 G3 B3 C#4
    {X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X}, // E7: E3 G#3 B3 D4
    {X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X}, // Emaj7: E3 G#3 B3 D#4
    {X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X}, // Em7: E3 G3 B3 D4
    {X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X}, // E9: E3 G#3 B3 D4 F#4
    {X, X, X, X, 0, X, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X, X, X, X}, // Esus4: E3 A3 B3
    {X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Eb: D#3 G3 A#3
    {X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Ebm: D#3 F#3 A#3
    {X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X}, // Eb aug: G3 B3 D#4
    {0, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Eb dim: C3 D#3 F#3 A3
    {0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Eb6: C3 D#3 G3 A#3
    {X, X, X, 0, X, X, 0, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X, X, X}, // Ebm6: D#3 F#3 A#3 C4
    {X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X}, // Eb7: D#3 G3 A#3 C#4
    {X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X}, // Ebmaj7: D#3 G3 A#3 D4
    {X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X}, // Ebm7: D#3 F#3 A#3 C#4
    {X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X}, // Eb9: D#3 G3 A#3 C#4 F4
    {X, X, X, 0, X, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Ebsus4: D#3 G#3 A#3
    {X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X}, // F: F3 A3 C4
    {X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X}, // Fm: F3 G#3 C4
    {X, X, X, X, X, 0, X, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X}, // F aug: F3 A3 C#4
    {X, X, 0, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X}, // F dim: D3 F3 G#3 B3
    {X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X}, // F6: D3 F3 A3 C4
    {X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X}, // Fm6: F3 G#3 C4 D4
    {X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X}, // F7: F3 A3 C4 D#4
    {X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X}, // Fmaj7: F3 A3 C4 E4
    {X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X}, // Fm7: F3 G#3 C4 D#4
    {X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X}, // F9: F3 A3 C4 D#4 G4
    {X, X, X, X, X, 0, X, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X, X, X}, // Fsus4: F3 A#3 C4
    {X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X}, // G: G3 B3 D4
    {X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X}, // Gm: G3 A#3 D4
    {X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X}, // G aug: G3 B3 D#4
    {X, X, X, X, 0, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X}, // G dim: E3 G3 A#3 C#4
    {X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X}, // G6: E3 G3 B3 D4
    {X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, 0, X, X, X, X, X, X, X}, // Gm6: G3 A#3 D4 E4
    {X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X}, // G7: G3 B3 D4 F4
    {X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X}, // Gmaj7: G3 B3 D4 F#4
    {X, X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X}, // Gm7: G3 A#3 D4 F4
    {X, X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, 0, X, X}, // G9: G3 B3 D4 F4 A4
    {X, X, X, X, X, X, X, 0, X, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X}, // Gsus4: G3 C4 D4
    {X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X}, // Gb: F#3 A#3 C#4
    {X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X}, // Gbm: F#3 A3 C#4
    {X, X, 0, X, X, X, 0, X, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Gb aug: D3 F#3 A#3
    {0, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X, X, X, X, X}, // Gb dim: C3 D#3 F#3 A3
    {X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X, X, X, X}, // Gb6: D#3 F#3 A#3 C#4
    {X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X}, // Gbm6: F#3 A3 C#4 D#4
    {X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, X, X, X, X}, // Gb7: F#3 A#3 C#4 E4
    {X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, X, X, X, X}, // Gbmaj7: F#3 A#3 C#4 F4
    {X, X, X, X, X, X, 0, X, X, 0, X, X, X, 0, X, X, 0, X, X, X, X, X, X, X}, // Gbm7: F#3 A3 C#4 E4
    {X, X, X, X, X, X, 0, X, X, X, 0, X, X, 0, X, X, 0, X, X, X, 0, X, X, X}, // Gb9: F#3 A#3 C#4 E4 G#4
    {X, X, X, X, X, X, 0, X, X, X, X, 0, X, 0, X, X, X, X, X, X, X, X, X, X}, // Gbsus4: F#3 B3 C#4
};
// clang-format on

} // namespace

const ChordChart ChordCharts::piano {"piano", "piano", 24, openNotes, 0, frets[0], false, 40};

} // namespace VADirur
