// Start of a column run: the stage compositions (from the mean feed, or kept from
// the last run or file) and the initial flow, temperature and pressure profiles.
#pragma once

// Flow-weighted mean feed composition z[1..NC] (mole fractions). False, z left as
// it was, when the feeds carry no flow.
bool Dist_Mean_Feed_Composition(double z[]);

// Initial start: every stage's liquid and vapour start at the mean feed
// composition; NC_Save, NT_Save = NC, NT.
void Initial_Composition_set();

// Continue start: keeps the stored compositions, re-mapped to a changed NT (the
// old bottom stage NT_Save fills the new bottom or the added stages). A component
// count other than NC_Save is refused with "成分数が違います。" / "No of Component is
// not Equal" through Calc_Message and nothing changes; returns false then.
bool Continue_Composition_set();

// Lays the initial flows (constant molal overflow, kmol/h), temperatures (a
// straight line between the estimates, degC) and pressures (MPa; stages without
// a pressure of their own interpolated between the nearest set ones). Every feed
// and side cut on a stage counts, the top and bottom stages included.
void Initial_Profile_set();
