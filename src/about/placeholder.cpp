// Placeholder until the about box lands.
