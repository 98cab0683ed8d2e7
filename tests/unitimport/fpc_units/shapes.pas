unit Shapes;

{$mode objfpc}{$H+}

interface

uses SysUtils;

type
  TColour = (Red, Green, Blue);

  TPoint2 = record
    X, Y: Integer;
  end;

  EShape = class(Exception);

  TShape = class
  private
    FName: string;
    FSides: Integer;
  public
    constructor Create(const AName: string; ASides: Integer);
    destructor Destroy; override;
    class function Kinds: Integer;
    procedure Nothing;
    function Describe: string; virtual;
    property Name: string read FName;
  end;

operator + (const A, B: TPoint2) R: TPoint2;

function Halve(N: Integer): Integer;
function CountColours: Integer;
function Grade(Score: Integer): string;
procedure Shift(var P: TPoint2; DX, DY: Integer);
function SafeDiv(A, B: Integer): Integer;
function Sum(const Items: array of Integer): Integer;

implementation

function Later(N: Integer): Integer; forward;

constructor TShape.Create(const AName: string; ASides: Integer);
begin
  inherited Create;
  FName := AName;
  FSides := ASides;
end;

destructor TShape.Destroy;
begin
  FName := '';
  inherited Destroy;
end;

class function TShape.Kinds: Integer;
begin
  Result := 3;
end;

procedure TShape.Nothing;
begin
end;

function TShape.Describe: string;
var
  S: TObject;
begin
  S := Self;
  if S is TShape then
    Result := (S as TShape).FName + ' with ' + IntToStr(FSides) + ' sides'
  else
    Result := '';
end;

operator + (const A, B: TPoint2) R: TPoint2;
begin
  R.X := A.X + B.X;
  R.Y := A.Y + B.Y;
end;

function Halve(N: Integer): Integer;
var
  I: Integer;
begin
  Result := 0;
  I := N;
  while I > 1 do
  begin
    I := I shr 1;
    Result := Result + I div 2;
  end;
  Result := Later(Result);
end;

function Later(N: Integer): Integer;
begin
  Result := N mod 7;
end;

function CountColours: Integer;
var
  C: TColour;
begin
  Result := 0;
  for C := Low(TColour) to High(TColour) do
    Inc(Result);
  for C := High(TColour) downto Low(TColour) do
  begin
    if C = Green then
      Continue;
    Inc(Result);
  end;
end;

function Grade(Score: Integer): string;
begin
  case Score of
    90..100: Result := 'A';
    70..89:
      begin
        Result := 'B';
        if Score > 85 then
          Result := Result + '+';
      end;
    0: Result := 'none';
  else
    Result := 'C';
    if Score < 0 then
      Result := '?';
  end;
  case Score of
    1: Result := Result + '!';
  end;
end;

procedure Shift(var P: TPoint2; DX, DY: Integer);
begin
  with P do
  begin
    X := X + DX;
    Y := Y + DY;
  end;
  with P do Inc(X);
end;

function SafeDiv(A, B: Integer): Integer;
begin
  try
    Result := A div B;
  except
    on E: EDivByZero do
      Result := 0;
    on EShape do
      raise;
  end;
  try
    Inc(Result);
  finally
    Result := Result * 2;
  end;
end;

function Sum(const Items: array of Integer): Integer;
var
  X, K: Integer;

  function Twice(V: Integer): Integer;
  begin
    Result := V + V;
  end;

begin
  Result := 0;
  for X in Items do
    Result := Result + Twice(X);
  K := 0;
  repeat
    Inc(K);
  until K >= 3;
end;

end.
