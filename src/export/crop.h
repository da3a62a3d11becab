// The part of the placard scene that an export keeps: the sign's width,
// centred on the scene, resting on the scene's bottom edge.
#pragma once

#include "scene/pixels.h"
#include "scene/placard_scene.h"

namespace plakato {

// From the scene's bounds and the two numbers of the last drawing's layout
// (sign width, scene height). Left is (sceneWidth - signWidth) / 2 truncated
// toward zero, so a sign wider than the scene may start at a negative column.
Rect CropRectangle(int sceneWidth, int sceneHeight, int signWidth, int cropHeight);

// A picture of r's size holding the scene's pixels under r, and white where
// r reaches outside the scene.
PixelCanvas CropPixels(const PixelCanvas& scene, const Rect& r);

// The picture an export writes, before any encoding: the part of the whole
// scene that the drawing's layout marks out.
PixelCanvas ExportedPicture(const PixelCanvas& scene, const SceneLayout& layout);

}  // namespace plakato
