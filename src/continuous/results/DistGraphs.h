// The column's profile graphs: the liquid (and vapour) composition profile of
// every component on a logarithmic axis, and the temperature profile, drawn on
// the two picture boxes `Picture1` and `Picture2` of whichever window is given
// (the result menu and the solver window carry both at the same places).
#pragma once

namespace ui {
class Form;
class PictureBox;
}  // namespace ui

// Clears `Picture1` and draws the composition frame: decade grid, axis labels,
// stage ticks and numbers, feed and side-cut lines, frame, title and legend.
void Graph_Dist_Comp_Frame(ui::Form& frm);
// Draws the liquid profiles (solid) and, when vaporFlag is not 0, the vapour
// profiles (dashed) onto `Picture1` without clearing it.
void Graph_Dist_Comp_Profile(double vaporFlag, ui::Form& frm);
// Clears `Picture2` and draws the temperature frame.
void Graph_Dist_Temp_Frame(ui::Form& frm);
// Prints the top and bottom temperatures and draws the temperature curve onto
// `Picture2` without clearing it.
void Graph_Dist_Temp_Profile(ui::Form& frm);

// The same drawings on a given picture box.
void Graph_Dist_Comp_Frame(ui::PictureBox& pic);
void Graph_Dist_Comp_Profile(double vaporFlag, ui::PictureBox& pic);
void Graph_Dist_Temp_Frame(ui::PictureBox& pic);
void Graph_Dist_Temp_Profile(ui::PictureBox& pic);

// Clears the band where Graph_Dist_Temp_Profile prints the end temperatures,
// so that a redraw over earlier curves shows only the latest ones.
void Clear_Dist_Temp_Ends(ui::PictureBox& pic);

// Creates `Picture1` (composition) and `Picture2` (temperature) on a window at
// the places both graph windows use, black, sized in twips.
void Create_Dist_Graph_Pictures(ui::Form& frm);

// Geometry shared by the drawings (twips of the picture's scale), for callers
// that map a click or check a drawing.
struct DistGraphGeometry {
  int W = 0, H = 0;  // scale width and height, whole twips
  int dy = 0;        // stage spacing
  int dx = 0;        // width of one decade of the composition axis
  int StageY(int p) const { return 500 + (p - 1) * dy; }
  // x of a mole fraction on the composition axis; below 1e-20 the left edge.
  int CompX(double z) const;
};
DistGraphGeometry Dist_Graph_Geometry(double scaleWidth, double scaleHeight);
// The step between the stage numbers printed beside the composition graph
// (1, 2, 5, 10, 20, 50, 100 or 200) for a stage spacing dy and a text height,
// both in twips: the smallest that keeps the numbers from overlapping.
int Stage_Number_Step(int dy, double textHeight);

// The colour number of component c in the palette: 10..15, 1..9, repeating.
int Dist_Comp_Colour(int c);
