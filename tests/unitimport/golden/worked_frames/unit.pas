unit Frames;

interface

implementation

procedure TForm1.Go(Sender: TObject);
begin
  x := 1;
end;

function Max(a, b: integer): integer;
begin
  x := 1;
end;

procedure Reset;
begin
  x := 1;
end;

end.
