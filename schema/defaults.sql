-- Starting lists of a new camp database: session types, playing positions, shirt sizes and
-- default leagues. The company row is left out on purpose: start-up opens the company editor
-- on an empty CoSys table.

INSERT INTO SessionType (Type, Description, TotalCosts, DepositAmount, PerRoomMaximum) VALUES
  ('R', 'Resident', 450, 100, 4),
  ('D', 'Day', 250, 50, 0);

INSERT INTO Positions (APosition, Description, NumberOnTeam) VALUES
  ('G', 'Guard', 2),
  ('F', 'Forward', 2),
  ('C', 'Center', 1);

INSERT INTO ShirtSize (ShirtSize, ShirtSizeDescription) VALUES
  ('YS', 'Youth Small'),
  ('YM', 'Youth Medium'),
  ('YL', 'Youth Large'),
  ('S', 'Adult Small'),
  ('M', 'Adult Medium'),
  ('L', 'Adult Large'),
  ('XL', 'Adult Extra Large'),
  ('XXL', 'Adult 2X Large');

INSERT INTO DefaultLeagues (LeagueName, BeginAgeRange, EndAgeRange, BeginGradeRange, EndGradeRange) VALUES
  ('Juniors', 8, 10, 3, 5),
  ('Intermediates', 11, 13, 6, 8),
  ('Seniors', 14, 18, 9, 12);
