#include "TunerShops.h"

namespace VADirur {

namespace {

const int keep = ShopLinks::keepDefault;

// In the order of the instruments.
const ShopLinks::Table tables[] = {
    {{{1, 3, 4, 5, 7}, {1, 2, 4, 6, 7}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}},
        {"Violin", "Violine", "Violon"}}, // Violin
    {{{25, 26, 27, 28, 29}, {25, 26, 27, 28, 29}, {21, 22, 23, 24, 25}, {21, 22, 23, 24, 25},
         {22, 23, 24, 25, 26}},
        {"Viola", "Bratsche", "Alto_(instrument_\xc3\xa0_cordes)"}}, // Viola
    {{{40, 41, 42, 43, 44}, {45, 46, 47, 48, 49}, {36, 37, 38, 39, 40}, {37, 38, 39, 40, 41},
         {37, 38, 39, 40, 41}},
        {"Cello", "Violoncello", "Violoncelle"}}, // Cello
    {{{55, 56, 57, 58, 59}, {53, 54, 55, 56, 57}, {51, 52, 53, 54, 55}, {52, 53, 54, 55, 56},
         {52, 53, 54, 55, 56}},
        {"Double_bass", "Kontrabass", "Contrebasse"}}, // DoubleBass
    {{{8, 9, 10, 11, 12}, {8, 9, 10, 12, 13}, {6, 7, 8, 9, 10}, {6, 7, 8, 9, 10}, {6, 7, 8, 9, 10}},
        {"Guitar", "Gitarre", "Guitare"}}, // Guitar
    {{{19, 20, 21, 23, 24}, {20, 21, 22, 23, 24}, {16, 17, 18, 19, 20}, {16, 17, 18, 19, 20},
         {17, 18, 19, 20, 21}},
        {"Bass_guitar", "E-Bass", "Guitare_basse"}}, // BassGuitar
    {{{35, 36, 37, 38, 39}, {36, 38, 43, 40, 44}, {31, 32, 33, 34, 35}, {31, 32, 33, 34, 36},
         {32, 33, 34, 35, 36}},
        {"Ukulele", "Ukulele", "Ukul\xc3\xa9l\xc3\xa9"}}, // Ukulele
    {{{50, 51, 52, 53, 54}, {58, 59, 60, 61, 62}, {46, 47, 48, 49, 50}, {47, 48, 49, 50, 51},
         {47, 48, 49, 50, 51}},
        {"Banjo", "Banjo", "Banjo"}}, // Banjo
    {{{30, 31, 32, 33, 34}, {30, 31, 33, 32, 34}, {26, 27, 28, 29, 30}, {26, 27, 28, 29, 30},
         {27, 28, 29, 30, 31}},
        {"Balalaika", "Balalaika", "Balala\xc3\xafka"}}, // Balalaika
    {{{13, 14, 15, 17, 18}, {14, 15, 17, 18, 19}, {11, 12, 13, 14, 15}, {11, 12, 13, 14, 15},
         {11, 13, 14, 15, 16}},
        {"Mandolin", "Mandoline", "Mandoline"}}, // Mandolin
    {{{45, 46, 47, 48, 49}, {50, 51, keep, 52, keep}, {41, 42, 43, 44, 45}, {42, 43, 44, 45, 46},
         {42, 43, 44, 45, 46}},
        {"Dombra", "Dombra", "Dombra"}}, // Dombra
};

} // namespace

const ShopLinks::Table& TunerShops::table(TunerInstruments::Instrument instrument)
{
    return tables[instrument];
}

} // namespace VADirur
