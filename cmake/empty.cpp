// Placeholder translation unit for a library part that has no code yet.
